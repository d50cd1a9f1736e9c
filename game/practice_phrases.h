#pragma once

#include "game/phrase_source.h"

#include <string>
#include <vector>

namespace zem {

// A pool drawn for practice: one draw in three as PoolPhrases draws, two in
// three weighted by how many of a phrase's kana units are weak, so that the
// weak kana come often without the game becoming one phrase. A phrase with no
// weak kana comes only from the uniform draw; a pool with none at all is
// drawn uniformly throughout, number for number as PoolPhrases draws it.
class PracticePhrases final : public PhraseSource {
public:
    // `listName` names the list the pool comes from, empty for the table.
    PracticePhrases(std::vector<PoolPhrase> phrases, const std::vector<std::string> &weakKana,
                    std::string listName = {});
    void draw(GameState &state, Random &random, bool wordMode) const override;
    const std::string &listName() const override { return listName_; }
    bool practice() const override { return true; }
    const std::vector<PoolPhrase> &phrases() const { return phrases_; }

private:
    std::size_t weightedPick(int ticket) const;

    std::vector<PoolPhrase> phrases_;
    std::vector<int> weights_; // how many weak kana units each phrase holds
    int totalWeight_ = 0;
    std::string listName_;
};

// The window title of a practice game: the caption, then the weak kana.
// Without weak kana the game is a normal one, and so is its title.
std::string practiceTitle(const std::string &caption, const std::vector<std::string> &weakKana);

} // namespace zem
