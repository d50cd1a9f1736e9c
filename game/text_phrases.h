#pragma once

#include "game/phrase_source.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zem {

// A text typed in order: its phrases as they are read, from where the player
// left off, each with the sentence it comes from. The reading goes on beside
// the game and adds its phrases as they come; games go on through them in
// order, and from the start again once the text is typed through.
class TextPhrases final : public PhraseSource {
public:
    // A phrase with its place: its sentence, and which of the phrases that
    // sentence was cut into.
    struct Placed {
        std::size_t sentence;
        std::size_t part;
        PoolPhrase phrase;
    };
    // `name`: the text's title, which names its games in the history.
    TextPhrases(std::string path, std::uint64_t contentHash, std::string name,
                std::size_t sentences);

    // Phrases of the reading, in order; `leftOut` sentences had none.
    void add(std::vector<Placed> phrases, int leftOut);

    // The next phrase in order. Drawing moves the place in the text (the
    // draw is const to the game, not to the bookmark).
    void draw(GameState &state, Random &random, bool wordMode) const override;
    const std::string &listName() const override { return name_; }

    bool empty() const { return phrases_.empty(); }
    std::size_t size() const { return phrases_.size(); }
    const std::string &path() const { return path_; }
    std::uint64_t contentHash() const { return contentHash_; }
    // The place of the phrase drawn last, where the next game begins (the
    // phrase being typed when a game stops): the reading's first before any.
    struct Place {
        std::size_t sentence = 0, part = 0;
    };
    Place bookmark() const;
    // How far the player is through the text, in percent (rounded down).
    int percent() const;
    int leftOut() const { return leftOut_; }

private:
    std::string path_;
    std::uint64_t contentHash_;
    std::string name_;
    std::size_t sentences_;
    std::vector<Placed> phrases_;
    mutable std::size_t next_ = 0; // the phrase the next draw takes
    int leftOut_ = 0;
};

} // namespace zem
