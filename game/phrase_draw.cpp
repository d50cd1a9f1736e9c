#include "game/phrase_draw.h"

#include "game/phrase_table.h"
#include "kana/entry_readings.h"

namespace zem {

void DrawPhrase(GameState &state, Random &random, bool wordMode) {
    const Phrase &row = PhraseTable[std::size_t(random.below(kPhraseCount))];
    state.TargetRomaji = row.proverbRomaji;
    state.TargetDisplay = row.proverbDisplay;
    state.WordRomaji = row.wordRomaji;
    state.WordDisplay = row.wordDisplay;
    if (wordMode) {
        state.TargetRomaji = state.WordRomaji;
        state.TargetDisplay = state.WordDisplay;
    }
    state.TargetKana = entryKana(state.TargetRomaji);
}

} // namespace zem
