#include "history/game_tally.h"

#include "history/syllable.h"

namespace zem {

void GameTally::start() {
    open_ = true;
    strokes_ = 0;
    keys_ = {};
    for (auto &row : typedFor_)
        row.fill(0);
    syllables_.clear();
}

void GameTally::close() {
    open_ = false;
}

void GameTally::stroke(std::size_t remaining, char typed, bool correct) {
    if (!open_)
        return;
    ++strokes_;
    if (remaining == 0 || remaining > phrase_.size())
        return;
    const std::size_t position = phrase_.size() - remaining;
    const char expected = phrase_[position];
    if (expected < 'A' || expected > 'Z')
        return;
    KeyTally &key = keys_[std::size_t(expected - 'A')];
    if (correct) {
        ++key.hits;
        return;
    }
    ++key.misses;
    // A letter is its key, in either case.
    const auto byte =
        static_cast<unsigned char>(typed >= 'a' && typed <= 'z' ? typed - 'a' + 'A' : typed);
    ++typedFor_[std::size_t(expected - 'A')][byte];
    ++syllables_[syllableAt(phrase_, position)];
}

void GameTally::fill(GameRecord &record) const {
    record.keys.clear();
    record.confusions.clear();
    record.syllables.clear();
    for (int i = 0; i < kLetters; ++i) {
        const KeyTally &k = keys_[std::size_t(i)];
        if (k.hits == 0 && k.misses == 0)
            continue;
        record.keys.push_back({char('A' + i), k.hits, k.misses});
        for (int typed = 0; typed < 256; ++typed)
            if (const std::int32_t n = typedFor_[std::size_t(i)][std::size_t(typed)])
                record.confusions.push_back({char('A' + i), static_cast<unsigned char>(typed), n});
    }
    for (const auto &[syllable, count] : syllables_)
        record.syllables.push_back({syllable, count});
}

} // namespace zem
