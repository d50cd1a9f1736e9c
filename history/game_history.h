#pragma once

#include "history/game_record.h"

namespace zem {

// Where a finished game goes. The game hands its record on and goes on at
// once: keeping it may fail or take its time, but never fails the game.
class GameHistory {
public:
    virtual ~GameHistory() = default;
    virtual void keep(GameRecord record) noexcept = 0;
};

// A history that forgets every game.
class NoHistory final : public GameHistory {
public:
    void keep(GameRecord) noexcept override {}
};

} // namespace zem
