#include "app/practice_rule.h"

namespace zem {

void PracticeRule::weakSpotsRead(const HistorySource &source, WeakSpots spots) {
    read_ = source;
    stale_ = false;
    spots_ = std::move(spots);
}

PracticeRule::Offer PracticeRule::offer(const HistorySource &current, bool inGame) const {
    Offer offer;
    if (inGame)
        offer.why = "ゲーム中は始められません";
    else if (!upToDate(current))
        offer.why = "成績を読んでいます…";
    else
        offer.why = spots_.reason();
    offer.can = offer.why.empty();
    if (!offer.can) {
        offer.tip = offer.why;
        return offer;
    }
    offer.tip = "苦手な仮名:";
    for (const std::string &kana : spots_.kanaUnits())
        offer.tip += " " + kana;
    return offer;
}

} // namespace zem
