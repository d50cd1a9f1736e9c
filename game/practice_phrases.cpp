#include "game/practice_phrases.h"

#include "kana/kana_text.h"

#include <algorithm>

namespace zem {

namespace {

int weakUnits(const std::string &kana, const std::vector<std::string> &weakKana) {
    const std::vector<std::string> units = kanaUnits(toHiragana(kana));
    return int(std::count_if(units.begin(), units.end(), [&](const std::string &unit) {
        return std::find(weakKana.begin(), weakKana.end(), unit) != weakKana.end();
    }));
}

} // namespace

PracticePhrases::PracticePhrases(std::vector<PoolPhrase> phrases,
                                 const std::vector<std::string> &weakKana, std::string listName)
    : phrases_(std::move(phrases)), listName_(std::move(listName)) {
    weights_.reserve(phrases_.size());
    for (const PoolPhrase &phrase : phrases_) {
        weights_.push_back(weakUnits(phrase.kana, weakKana));
        totalWeight_ += weights_.back();
    }
}

void PracticePhrases::draw(GameState &state, Random &random, bool) const {
    if (phrases_.empty())
        return;
    const int size = int(phrases_.size());
    if (totalWeight_ == 0 || random.below(3) == 0) {
        loadPhrase(state, phrases_[std::size_t(random.below(size))]);
        return;
    }
    loadPhrase(state, phrases_[weightedPick(random.below(totalWeight_))]);
}

// The phrase whose share of 0 .. totalWeight_ - 1 holds the ticket.
std::size_t PracticePhrases::weightedPick(int ticket) const {
    std::size_t at = 0;
    while (ticket >= weights_[at])
        ticket -= weights_[at++];
    return at;
}

std::string practiceTitle(const std::string &caption, const std::vector<std::string> &weakKana) {
    if (weakKana.empty())
        return caption;
    std::string title = caption + " — 苦手練習:";
    for (const std::string &kana : weakKana)
        title += " " + kana;
    return title;
}

} // namespace zem
