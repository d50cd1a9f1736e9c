#include "history/weak_spots.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace zem {

GameCounts gameCounts(const GameRecord &game) {
    // A record counts its right strokes and its misses apart.
    return {std::int64_t(game.strokes) + game.misses, game.kana, game.keys};
}

namespace {

// The miss rate the spot has at least, with 95% confidence: the lower
// bound of the Wilson score interval.
double rateAtLeast(const SpotRate &spot) {
    constexpr double z = 1.959964;
    const double n = double(spot.hits + spot.misses);
    const double p = double(spot.misses) / n;
    const double spread = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
    return (p + z * z / (2 * n) - spread) / (1 + z * z / n);
}

// The higher lower bound first, then more misses, then the spot's own order.
// The same counts give the same bound, so they tie exactly.
bool weaker(const SpotRate &a, const SpotRate &b) {
    const double left = rateAtLeast(a);
    const double right = rateAtLeast(b);
    if (left != right)
        return left > right;
    if (a.misses != b.misses)
        return a.misses > b.misses;
    return a.kana != b.kana ? a.kana < b.kana : a.key < b.key;
}

bool countsEnough(const SpotRate &spot) {
    return spot.misses >= kWeakSpotMisses && spot.hits + spot.misses >= kWeakSpotOccurrences;
}

template <typename Key> std::vector<SpotRate> weakest(const std::map<Key, SpotRate> &totals) {
    std::vector<SpotRate> spots;
    for (const auto &[name, spot] : totals)
        if (countsEnough(spot))
            spots.push_back(spot);
    std::sort(spots.begin(), spots.end(), weaker);
    if (spots.size() > kWeakSpotsShown)
        spots.resize(kWeakSpotsShown);
    return spots;
}

void addGame(const GameCounts &game, std::map<std::string, SpotRate> &kana,
             std::map<char, SpotRate> &keys) {
    for (const KanaTally &t : game.kana) {
        SpotRate &spot = kana[t.kana];
        spot.kana = t.kana;
        spot.hits += t.hits;
        spot.misses += t.misses;
    }
    for (const KeyTally &t : game.keys) {
        SpotRate &spot = keys[t.key];
        spot.key = t.key;
        spot.hits += t.hits;
        spot.misses += t.misses;
    }
}

} // namespace

WeakSpots findWeakSpots(const std::vector<GameCounts> &newestFirst) {
    WeakSpots result;
    std::map<std::string, SpotRate> kana;
    std::map<char, SpotRate> keys;
    for (const GameCounts &game : newestFirst) {
        if (result.strokes >= kWeakSpotStrokes)
            break;
        addGame(game, kana, keys);
        result.strokes += game.strokes;
        ++result.games;
    }
    if (result.strokes < kWeakSpotStrokes)
        return result;
    result.kana = weakest(kana);
    result.keys = weakest(keys);
    result.status =
        result.kana.empty() ? WeakSpots::Status::NothingMissed : WeakSpots::Status::Found;
    return result;
}

std::vector<std::string> WeakSpots::kanaUnits() const {
    std::vector<std::string> units;
    for (const SpotRate &spot : kana)
        units.push_back(spot.kana);
    return units;
}

std::string WeakSpots::reason() const {
    switch (status) {
    case Status::Found:
        return {};
    case Status::TooThin:
        return "苦手練習には" + std::to_string(kWeakSpotStrokes) +
               "打以上の記録が要ります（いまは" + std::to_string(strokes) + "打）";
    case Status::NothingMissed:
        return "最近の" + std::to_string(strokes) + "打に苦手な仮名は見つかりません（" +
               std::to_string(kWeakSpotOccurrences) + "回以上打ち、" +
               std::to_string(kWeakSpotMisses) + "回以上間違えた仮名が対象です）";
    }
    return {};
}

} // namespace zem
