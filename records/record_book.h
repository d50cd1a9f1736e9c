#pragma once

#include "game/game_state.h"
#include "model/window_model.h"
#include "records/record_file.h"
#include "records/record_store.h"

namespace zem {

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
    // line first; stores, shows and saves a new best of the checked mode only.
    void check(int i, GameState &state, bool wordMode, bool proverbMode);

    const RecordStore &store() const { return store_; }

private:
    double number(int line) const;
    void save();

    WindowModel &model_;
    RecordFile &file_;
    RecordStore store_;
    ControlId wordLabel_, proverbLabel_;
};

} // namespace zem
