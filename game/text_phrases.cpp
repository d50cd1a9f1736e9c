#include "game/text_phrases.h"

namespace zem {

TextPhrases::TextPhrases(std::string path, std::uint64_t contentHash, std::string name,
                         std::size_t sentences)
    : path_(std::move(path)), contentHash_(contentHash), name_(std::move(name)),
      sentences_(sentences) {}

void TextPhrases::add(std::vector<Placed> phrases, int leftOut) {
    phrases_.reserve(phrases_.size() + phrases.size());
    for (Placed &p : phrases)
        phrases_.push_back(std::move(p));
    leftOut_ += leftOut;
}

// The reading is far ahead of any typist (a sentence takes well under a
// millisecond); should a draw ever catch it up, the text starts over from
// what was read rather than show nothing.
void TextPhrases::draw(GameState &state, Random &, bool) const {
    if (phrases_.empty())
        return;
    if (next_ >= phrases_.size())
        next_ = 0;
    loadPhrase(state, phrases_[next_++].phrase);
}

TextPhrases::Place TextPhrases::bookmark() const {
    if (phrases_.empty())
        return {};
    const Placed &last = phrases_[next_ == 0 ? 0 : next_ - 1];
    return {last.sentence, last.part};
}

int TextPhrases::percent() const {
    return sentences_ == 0 ? 0 : int(bookmark().sentence * 100 / sentences_);
}

} // namespace zem
