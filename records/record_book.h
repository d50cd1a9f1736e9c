#pragma once

#include "model/failure.h"
#include "model/window_model.h"
#include "records/record_file.h"
#include "records/record_store.h"

#include <optional>

namespace zem {

// The two modes, each with its own best of every course.
enum class RecordMode { Word, Proverb };

// What the record check of a finished game found.
struct RecordCheck {
    bool record = false; // the game set a new best, shown and kept in the store
    // The step that failed, when one did: the steps after it did not run,
    // and a record set before it stays set.
    std::optional<Failure> failure;
};

// The 40 bests (line i: word mode of course i; line 20 + i: proverb mode) and
// the two labels that show the bests of the chosen course.
class RecordBook {
public:
    RecordBook(WindowModel &model, RecordFile &file);

    // Reads the file into the store and shows course 0's bests. A file that
    // cannot be read fails with "ファイル hiscore.dat は開けません".
    void load();
    // Shows the bests of course i, each line's text as it is, plus "打/分".
    void display(int i);
    // Compares a finished game's speed with both bests of course i, the word
    // line first; stores, shows and saves a new best of the game's mode only.
    // The bests are first brought up to those in the file, which another copy
    // of the game may have raised since, and the file stays locked until the
    // check is over: a speed below the file's best is no record, and a save
    // keeps every best either copy set.
    RecordCheck check(int i, RecordMode mode, double speed);

    const RecordStore &store() const { return store_; }

private:
    bool takeSavedBests();
    double number(int line) const;
    void checkLine(int line, bool played, double speed, ControlId label, RecordCheck &result);
    void save();

    WindowModel &model_;
    RecordFile &file_;
    RecordStore store_;
    ControlId wordLabel_, proverbLabel_;
};

} // namespace zem
