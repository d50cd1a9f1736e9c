#pragma once

#include "kana/spelling_judge.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zem {

// Where the player left off in a text: the sentence the next game starts at,
// while the file holds the same contents.
struct TextBookmark {
    std::string path; // absolute
    std::uint64_t contentHash = 0;
    std::size_t sentence = 0;
    std::size_t part = 0; // of the phrases the sentence was cut into
    bool operator==(const TextBookmark &) const = default;
};
// The texts whose places are kept, the latest first.
inline constexpr std::size_t kMaxBookmarks = 20;

// What the player chose, kept between runs: read at start-up, written again
// when it changes. Every field has a default that is the game as designed.
struct PlayerSettings {
    SpellingRule spelling = SpellingRule::Table;
    std::string lastList;                // the phrase list last chosen; empty: the built-in table
    SpellingChoices lastSpellings;       // per kana, the keys the player typed it with last
    bool reading = false;                // the phrase's reading under the bubble's text
    bool fingers = false;                // the finger guide on the keyboard
    bool spellingAsked = false;          // the player was asked whether other spellings count
    std::vector<TextBookmark> bookmarks; // the latest first
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
