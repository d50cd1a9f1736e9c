#include "history/weak_spots.h"

#include <algorithm>
#include <map>

namespace zem {

GameCounts gameCounts(const GameRecord &game) {
    // A record counts its right strokes and its misses apart.
    return {std::int64_t(game.strokes) + game.misses, game.kana, game.keys};
}

namespace {

// Higher miss rate first (compared as fractions, so that equal rates tie
// exactly), then more misses, then the spot's own order.
bool weaker(const SpotRate &a, const SpotRate &b) {
    const std::int64_t left = a.misses * (b.hits + b.misses);
    const std::int64_t right = b.misses * (a.hits + a.misses);
    if (left != right)
        return left > right;
    if (a.misses != b.misses)
        return a.misses > b.misses;
    return a.kana != b.kana ? a.kana < b.kana : a.key < b.key;
}

bool countsEnough(const SpotRate &spot) {
    return spot.misses > 0 && spot.hits + spot.misses >= kWeakSpotOccurrences;
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
               std::to_string(kWeakSpotOccurrences) + "回以上打ち、1回でも間違えた仮名が対象です）";
    }
    return {};
}

} // namespace zem
