#pragma once

#include "app/player_settings.h"
#include "kana/spelling_judge.h"

namespace zem {

// Whether to ask the player, once ever, if the spellings an input method
// takes should count too: after a game under the table's spelling in which
// such a spelling was refused at least twice, so that a player whose SHI is
// refused learns the option exists. A player who never types one is never
// asked.
class SpellingHint {
public:
    static constexpr int kMisses = 2;

    // START: a new count, kept only under the table's rule.
    void gameStarted(SpellingRule rule);
    // A key the judge refused.
    void miss(const SpellingJudge &judge, char key);
    // The game ended: true when the question is due now. It is then marked
    // asked in `settings`, so it comes once whatever the answer.
    bool dueAtEnd(PlayerSettings &settings);

private:
    bool counting_ = false;
    int misses_ = 0;
};

} // namespace zem
