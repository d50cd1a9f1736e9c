#include "history/history_view.h"

namespace zem {

namespace {

// Enough for a window that opens as fast on a hundred thousand games as on ten.
constexpr int kChartGames = 1000;
constexpr int kTroubleRows = 5;

} // namespace

HistoryView readHistoryView(const std::string &path, const HistorySource &source, int course,
                            WeakSpotRead weakSpots) {
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
    const WeakSpots weak = weakSpots(store, source);
    if (weak.found())
        view.progress = store.practiceProgress(source, weak.kanaUnits());
    view.state = store.state(); // after the reading, which may meet damage
    return view;
}

} // namespace zem
