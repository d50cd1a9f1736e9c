#pragma once

#include "game/game_state.h"
#include "model/random.h"

#include <string>
#include <vector>

namespace zem {

// A phrase that does not come from the built-in table: the text shown, its
// reading in hiragana and the reading in the table's spelling.
struct PoolPhrase {
    std::string display;
    std::string kana;
    std::string romaji;
};

// Where a game's phrases come from: the built-in table, a player's list, a
// practice draw. A draw fills the phrase texts of the state and its kana.
class PhraseSource {
public:
    virtual ~PhraseSource() = default;
    virtual void draw(GameState &state, Random &random, bool wordMode) const = 0;
    // The player's list its games belong to in the history; empty for the
    // built-in table.
    virtual const std::string &listName() const;
    // Practice games are kept apart from the records.
    virtual bool practice() const { return false; }
};

// The built-in table, drawn as the game always has: one number from the
// generator per phrase, in the mode of the moment.
class TablePhrases final : public PhraseSource {
public:
    void draw(GameState &state, Random &random, bool wordMode) const override;
};

// The phrases of a pool, each as likely as the next, whatever the mode.
class PoolPhrases final : public PhraseSource {
public:
    explicit PoolPhrases(std::vector<PoolPhrase> phrases, std::string listName = {})
        : phrases_(std::move(phrases)), listName_(std::move(listName)) {}
    void draw(GameState &state, Random &random, bool wordMode) const override;
    const std::vector<PoolPhrase> &phrases() const { return phrases_; }
    const std::string &listName() const override { return listName_; }

private:
    std::vector<PoolPhrase> phrases_;
    std::string listName_;
};

// One phrase into the phrase texts: the target and the word alike.
void loadPhrase(GameState &state, const PoolPhrase &phrase);

// The entries of one mode of the built-in table as a pool, with their readings.
std::vector<PoolPhrase> tablePool(bool wordMode);

} // namespace zem
