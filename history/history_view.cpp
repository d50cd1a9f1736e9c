#include "history/history_view.h"

namespace zem {

namespace {

// Enough for a window that opens as fast on a hundred thousand games as on ten.
constexpr int kChartGames = 1000;
constexpr int kTroubleRows = 5;

} // namespace

WeakSpots readWeakSpots(HistoryStore &store, const HistorySource &source) {
    std::vector<GameCounts> games;
    for (const GameRecord &game : store.recentGames(source, kWeakSpotStrokes))
        games.push_back(gameCounts(game));
    return findWeakSpots(games);
}

HistoryDigest readHistoryDigest(const std::string &path, const HistorySource &source) {
    if (path.empty())
        return {findWeakSpots({}), {}};
    HistoryStore store(path, HistoryStore::Role::Reader,
                       HistoryStore::Options{.busyTimeoutMs = kHistoryViewWaitMs});
    return {readWeakSpots(store, source), store.lessonGames()};
}

HistoryView readHistoryView(const std::string &path, const HistorySource &source, int course) {
    HistoryView view;
    if (path.empty()) {
        view.state.detail =
            "HOME も XDG_DATA_HOME も設定されていないので、成績の置き場所がありません";
        return view;
    }
    HistoryStore store(path, HistoryStore::Role::Reader,
                       HistoryStore::Options{.busyTimeoutMs = kHistoryViewWaitMs});
    view.totals = store.totals(source, course);
    view.speeds = store.speeds(source, course, kChartGames);
    view.keys = store.keyRates(source, course);
    view.confusions = store.topConfusions(source, course, kTroubleRows);
    view.syllables = store.topSyllables(source, course, kTroubleRows);
    view.kana = store.topKana(source, course, kTroubleRows);
    view.lists = store.lists();
    view.lessons = store.lessonGames();
    const WeakSpots weak = readWeakSpots(store, source);
    if (weak.found())
        view.progress = store.practiceProgress(source, weak.kanaUnits());
    view.state = store.state(); // after the reading, which may meet damage
    return view;
}

} // namespace zem
