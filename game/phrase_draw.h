#pragma once

#include "game/game_state.h"
#include "model/random.h"

namespace zem {

// Draws a row uniformly from the phrase table into the four phrase texts;
// in word mode the target is the row's word, otherwise its proverb.
void DrawPhrase(GameState &state, Random &random, bool wordMode);

} // namespace zem
