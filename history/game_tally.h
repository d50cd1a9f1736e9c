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
// It counts from start() until stop(): a game ends once, even when the game
// window goes on taking keys after it.
class GameTally {
public:
    // A new game: every count back to zero.
    void start();
    // The game has ended: no stroke counts until the next start().
    void stop() { counting_ = false; }
    bool counting() const { return counting_; }
    // One judged character: `expected` the next letter shown (0 when none is
    // left), `kana` the kana it belongs to (empty when none). A correct key is
    // a hit on the key typed; a miss is a miss on the letter shown.
    void stroke(char expected, std::string_view kana, char typed, bool correct);
    // Whether anything was typed since start().
    bool any() const { return strokes_ != 0; }

    // The per-key part of the game's record; the caller fills in the figures.
    void fill(GameRecord &record) const;

private:
    static constexpr int kLetters = 26;
    bool counting_ = false;
    std::int32_t strokes_ = 0;
    std::array<KeyTally, kLetters> keys_{};
    std::array<std::array<std::int32_t, 256>, kLetters> typedFor_{};
    std::map<std::string, KanaTally, std::less<>> kana_;
};

} // namespace zem
