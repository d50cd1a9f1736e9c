#include "app/spelling_hint.h"

namespace zem {

void SpellingHint::gameStarted(SpellingRule rule) {
    counting_ = rule == SpellingRule::Table;
    misses_ = 0;
}

void SpellingHint::miss(const SpellingJudge &judge, char key) {
    if (counting_ && judge.anySpellingTakes(key))
        ++misses_;
}

bool SpellingHint::dueAtEnd(PlayerSettings &settings) {
    const bool due = counting_ && misses_ >= kMisses && !settings.spellingAsked;
    counting_ = false;
    if (due)
        settings.spellingAsked = true;
    return due;
}

} // namespace zem
