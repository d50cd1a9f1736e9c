#pragma once

#include "kana/spelling_judge.h"

#include <string>

namespace zem {

// What the player chose, kept between runs: read at start-up, written again
// when it changes. Every field has a default that is the game as designed.
struct PlayerSettings {
    SpellingRule spelling = SpellingRule::Table;
    std::string lastList;          // the phrase list last chosen; empty: the built-in table
    SpellingChoices lastSpellings; // per kana, the keys the player typed it with last
    bool reading = false;          // the phrase's reading under the bubble's text
    bool fingers = false;          // the finger guide on the keyboard
    bool spellingAsked = false;    // the player was asked whether other spellings count
};

// Where the settings are kept between runs. Reading never fails (what cannot
// be read gives the defaults); a write that fails costs the player nothing
// now, as the choices hold for this run and the next write tries again.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual PlayerSettings read() = 0;
    virtual void write(const PlayerSettings &settings) = 0;
};

} // namespace zem
