#include "game/phrase_source.h"

#include "game/phrase_draw.h"
#include "game/phrase_table.h"
#include "kana/entry_readings.h"

namespace zem {

const std::string &PhraseSource::listName() const {
    static const std::string none;
    return none;
}

void TablePhrases::draw(GameState &state, Random &random, bool wordMode) const {
    DrawPhrase(state, random, wordMode);
}

void loadPhrase(GameState &state, const PoolPhrase &phrase) {
    state.TargetRomaji = phrase.romaji;
    state.TargetDisplay = phrase.display;
    state.TargetKana = phrase.kana;
    state.WordRomaji = phrase.romaji;
    state.WordDisplay = phrase.display;
}

void PoolPhrases::draw(GameState &state, Random &random, bool) const {
    if (phrases_.empty())
        return;
    loadPhrase(state, phrases_[std::size_t(random.below(int(phrases_.size())))]);
}

std::vector<PoolPhrase> tablePool(bool wordMode) {
    std::vector<PoolPhrase> pool;
    pool.reserve(PhraseTable.size());
    for (const Phrase &row : PhraseTable) {
        const char *romaji = wordMode ? row.wordRomaji : row.proverbRomaji;
        pool.push_back(
            {wordMode ? row.wordDisplay : row.proverbDisplay, entryKana(romaji), romaji});
    }
    return pool;
}

} // namespace zem
