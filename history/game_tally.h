#pragma once

#include "history/game_record.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace zem {

// What one game's strokes were, counted in memory while it runs: cheap
// enough for every keystroke, and turned into a GameRecord when it ends.
class GameTally {
public:
    // A new game: every count back to zero, and strokes counted again.
    void start();
    // The game is over for the history, whatever the window goes on showing:
    // no stroke counts and any() is false until the next start().
    void close();
    // The phrase drawn to be typed next, whole.
    void newPhrase(std::string_view romaji) { phrase_.assign(romaji); }
    // One judged character, with `remaining` letters of the phrase still to
    // type before it. With none left, a miss counts for no key.
    void stroke(std::size_t remaining, char typed, bool correct);
    // Whether anything was typed since start(), and the tally is not closed.
    bool any() const { return open_ && strokes_ != 0; }

    // The per-key part of the game's record; the caller fills in the figures.
    void fill(GameRecord &record) const;

private:
    static constexpr int kLetters = 26;
    std::string phrase_;
    bool open_ = false;
    std::int32_t strokes_ = 0;
    std::array<KeyTally, kLetters> keys_{};
    std::array<std::array<std::int32_t, 256>, kLetters> typedFor_{};
    std::map<std::string, std::int32_t, std::less<>> syllables_;
};

} // namespace zem
