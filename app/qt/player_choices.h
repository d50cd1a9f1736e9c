#pragma once

#include "game/phrase_source.h"
#include "kana/spelling_judge.h"

#include <QString>

#include <memory>
#include <string>

namespace zem {

class TForm1;

// The player's choices beside the game: the spelling rule, the phrase list
// and the spellings typed last, read from the settings file at start-up and
// written back when the player changes them. This run's options override the
// file without changing it.
class PlayerChoices {
public:
    // `shippedLists`: the folder of the example lists, where the file dialog
    // starts before any list was chosen.
    PlayerChoices(TForm1 &form, QString settingsPath, std::string shippedLists);

    // Reads the settings into the form, then this run's --spelling and
    // --phrases over them (either may be empty). Returns what the player must
    // be told once the window shows, empty for nothing: a list that was
    // refused, or a remembered one that has gone or turned bad, which the
    // settings then forget.
    std::string start(const std::string &spelling, const std::string &phrasesFile);

    // Plays the list in `path` from the next START on; remembered in the
    // settings when `remember`. Empty when taken, else the refusal's message;
    // a refused file changes nothing.
    std::string openList(const std::string &path, bool remember);
    // Back to the built-in table, remembered.
    void useTable();
    const std::string &listName() const { return listName_; }
    bool listActive() const { return list_ != nullptr; }
    // The list in play; null for the built-in table.
    const PoolPhrases *list() const { return list_.get(); }
    // Where the file dialog opens: the folder of the list in use or last
    // used, else the shipped examples.
    std::string listFolder() const;

    bool anySpelling() const;
    // The menu's toggle: the rule for this run and in the file.
    void setAnySpelling(bool any);
    // Writes the spellings the game has noted, once no game runs.
    void keepSpellings();

private:
    void write();

    TForm1 &form_;
    QString path_;
    std::string shippedLists_;
    SpellingRule fileSpelling_ = SpellingRule::Table; // the file's, whatever --spelling says
    std::unique_ptr<PoolPhrases> list_;
    std::string listName_;
    std::string listPath_;
};

} // namespace zem
