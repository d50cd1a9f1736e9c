#pragma once

#include "model/random.h"
#include "game/game_state.h"

namespace zem {

// Draws a row uniformly from the phrase table into the four phrase texts;
// in word mode the target is the row's word, otherwise its proverb.
void DrawPhrase(GameState &state, Random &random, bool wordMode);

} // namespace zem
