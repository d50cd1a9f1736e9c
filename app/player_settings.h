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
};

} // namespace zem
