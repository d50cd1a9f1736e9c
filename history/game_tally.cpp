#include "history/game_tally.h"

namespace zem {

namespace {

// A letter is its key, in either case.
char keyOf(char typed) {
    return typed >= 'a' && typed <= 'z' ? char(typed - 'a' + 'A') : typed;
}

} // namespace

void GameTally::start() {
    counting_ = true;
    strokes_ = 0;
    keys_ = {};
    for (auto &row : typedFor_)
        row.fill(0);
    kana_.clear();
}

void GameTally::stroke(char expected, std::string_view kana, char typed, bool correct) {
    if (!counting_)
        return;
    ++strokes_;
    if (!kana.empty()) {
        auto at = kana_.find(kana);
        if (at == kana_.end())
            at = kana_.emplace(std::string(kana), KanaTally{std::string(kana)}).first;
        ++(correct ? at->second.hits : at->second.misses);
    }
    // With every spelling taken, the key that was right need not be the
    // letter shown (F for the H of HU); a miss counts against the letter shown.
    const char letter = correct ? keyOf(typed) : expected;
    // ー, 、 and 。 are typed with keys that have no letter to count.
    if (letter < 'A' || letter > 'Z')
        return;
    KeyTally &key = keys_[std::size_t(letter - 'A')];
    if (correct) {
        ++key.hits;
        return;
    }
    ++key.misses;
    ++typedFor_[std::size_t(letter - 'A')][static_cast<unsigned char>(keyOf(typed))];
}

void GameTally::fill(GameRecord &record) const {
    record.keys.clear();
    record.confusions.clear();
    record.syllables.clear();
    record.kana.clear();
    for (int i = 0; i < kLetters; ++i) {
        const KeyTally &k = keys_[std::size_t(i)];
        if (k.hits == 0 && k.misses == 0)
            continue;
        record.keys.push_back({char('A' + i), k.hits, k.misses});
        for (int typed = 0; typed < 256; ++typed)
            if (const std::int32_t n = typedFor_[std::size_t(i)][std::size_t(typed)])
                record.confusions.push_back({char('A' + i), static_cast<unsigned char>(typed), n});
    }
    for (const auto &entry : kana_)
        record.kana.push_back(entry.second);
}

} // namespace zem
