#pragma once

#include "app/player_settings.h"
#include "history/history_source.h"

namespace zem {

// What the game tells those who follow it (the window, the settings file).
// Each call comes from inside a handler, once the game's state is final for
// that event; a listener must not call back into a handler from it.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    // A game ended, completed or stopped; `source` is where it came from.
    // It has been handed to the history when it had a keystroke.
    virtual void gameEnded(const HistorySource &source, bool completed) {
        (void)source;
        (void)completed;
    }
    // The next game's source changed (a list, the table, the mode).
    virtual void sourceChanged(const HistorySource &source) { (void)source; }
    // The player's settings changed and are to be kept.
    virtual void settingsChanged(const PlayerSettings &settings) { (void)settings; }
    // The game that just ended makes it time to ask, once ever, whether the
    // spellings an input method takes should count too. Comes after
    // gameEnded; the answer goes to PlayerChoices::answerSpellingHint.
    virtual void spellingHintDue() {}
};

} // namespace zem
