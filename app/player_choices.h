#pragma once

#include "app/form_events.h"
#include "app/player_settings.h"

#include <string>

namespace zem {

class TForm1;

// The player's choices beside the game: the spelling rule and the phrase
// list, read from the settings at start-up and kept when the player changes
// them, with the spellings the game reports. This run's options override the
// settings without being kept, and so do the spellings typed under them.
class PlayerChoices final : public FormEvents {
public:
    // `shippedLists`: the folder of the example lists, where the file dialog
    // starts before any list was chosen.
    // `lessons`: the folder of the lesson book, one phrase file a step.
    // `texts`: the folder of the example texts.
    PlayerChoices(TForm1 &form, SettingsStore &store, std::string shippedLists,
                  std::string lessons = {}, std::string texts = {});
    ~PlayerChoices() override;
    PlayerChoices(const PlayerChoices &) = delete;
    PlayerChoices &operator=(const PlayerChoices &) = delete;

    // What the player must be told once the window shows.
    struct Told {
        std::string message; // empty for nothing
        // No error: the game goes on with the built-in table.
        bool notice = false;
    };
    // Reads the settings into the form, then this run's --spelling and
    // --phrases over them (either may be empty). Tells of a list of
    // --phrases that was refused (an error), or of a remembered one that has
    // gone or turned bad (a notice), which the settings then forget.
    Told start(const std::string &spelling, const std::string &phrasesFile);

    // Between games. Plays the list in `path` from the next START on;
    // remembered when `remember`. Empty when taken, else the refusal's
    // message; a refused file changes nothing.
    std::string openList(const std::string &path, bool remember);
    // Between games: back to the built-in table, remembered.
    void useTable();
    // Where the file dialog opens: the folder of the list in use or last
    // used, else the shipped examples.
    std::string listFolder() const;

    // One game of lesson step `step`, from the lesson book. Empty when it
    // started, else why not.
    std::string startLesson(int step);

    // 文章で練習: where the file dialog opens for a text (the folder of the
    // text last read, else the example texts), and where the text at `path`
    // was left off, by its absolute path (the text's start for one never
    // typed). The place in a
    // text is kept as each game of it ends.
    std::string textFolder() const;
    TextBookmark bookmarkOf(const std::string &path) const;

    bool anySpelling() const;
    // The menu's toggle, between games: the rule for this run and in the
    // settings, and the spellings typed from now on are kept again.
    void setAnySpelling(bool any);
    // The player's answer to the question the game asks once ever (see
    // FormEvents::spellingHintDue), kept so that it is never asked again;
    // with `any` the other spellings count from now on, as the menu's toggle
    // makes them.
    void answerSpellingHint(bool any);

    bool fingerGuide() const;
    // The menu's toggle, between games: the finger guide now and in the
    // settings.
    void setFingerGuide(bool on);

    bool showsReading() const;
    // The menu's よみがなを表示: the reading line for this run and in the
    // settings.
    void setShowReading(bool on);

    void settingsChanged(const PlayerSettings &settings) override;
    void gameEnded(const HistorySource &source, bool completed) override;

private:
    void write();

    TForm1 &form_;
    SettingsStore &store_;
    std::string shippedLists_;
    std::string lessons_;
    std::string texts_;
    PlayerSettings kept_;     // as the settings file has them
    bool oneRunRule_ = false; // --spelling chose the rule for this run only
    std::string listPath_;
};

} // namespace zem
