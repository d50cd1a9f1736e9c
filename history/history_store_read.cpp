#include "history/history_store.h"

#include "history/game_rows.h"

namespace zem {

// What the window and the CSV read. A query that fails reads as nothing, and
// a reader's state then says why.

HistoryTotals HistoryStore::readTotals(sql::Statement &query) {
    HistoryTotals t;
    const sql::Statement::Step step = query.step();
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
    if (step == sql::Statement::Step::Row) {
        t.games = query.integer(0);
        t.completedGames = query.integer(1);
        t.seconds = query.integer(2);
        t.strokes = query.integer(3);
        t.misses = query.integer(4);
        t.best = query.real(5);
    }
    return t;
}

HistoryTotals HistoryStore::totals(GameMode mode, int course) {
    if (!db_)
        return {};
    sql::Statement q(*db_, "SELECT games, completed_games, seconds, strokes, misses, best "
                           "FROM course_totals WHERE mode = ?1 AND course = ?2");
    q.bind(1, modeName(mode)).bind(2, course);
    return readTotals(q);
}

HistoryTotals HistoryStore::totalsOfAll() {
    if (!db_)
        return {};
    sql::Statement q(*db_, "SELECT COALESCE(SUM(games), 0), COALESCE(SUM(completed_games), 0), "
                           "COALESCE(SUM(seconds), 0), COALESCE(SUM(strokes), 0), "
                           "COALESCE(SUM(misses), 0), COALESCE(MAX(best), 0) FROM course_totals");
    return readTotals(q);
}

// Runs a query of one mode and course, with ?3 the row limit when it has
// one, and hands each row to `each`; nothing when there is no database.
template <typename Each>
void HistoryStore::eachRow(const char *sql, GameMode mode, int course, int limit, Each each) {
    if (!db_)
        return;
    sql::Statement q(*db_, sql);
    q.bind(1, modeName(mode)).bind(2, course);
    if (limit >= 0)
        q.bind(3, limit);
    sql::Statement::Step step;
    while ((step = q.step()) == sql::Statement::Step::Row)
        each(q);
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
}

std::vector<SpeedPoint> HistoryStore::speeds(GameMode mode, int course, int limit) {
    std::vector<SpeedPoint> points;
    eachRow("SELECT finished_unix, utc_offset, CAST(speed AS REAL), best_so_far, new_record "
            "FROM games WHERE mode = ?1 AND course = ?2 AND completed = 1 "
            "ORDER BY id DESC LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                points.push_back({{q.integer(0), std::int32_t(q.integer(1))},
                                  q.real(2),
                                  q.real(3),
                                  q.integer(4) != 0});
            });
    return {points.rbegin(), points.rend()};
}

std::vector<KeyRate> HistoryStore::keyRates(GameMode mode, int course) {
    std::vector<KeyRate> rates;
    eachRow("SELECT key, hits, misses FROM course_keys WHERE mode = ?1 AND course = ?2 "
            "ORDER BY key",
            mode, course, -1, [&](const sql::Statement &q) {
                const std::string key = q.text(0);
                if (key.size() == 1)
                    rates.push_back({key[0], q.integer(1), q.integer(2)});
            });
    return rates;
}

std::vector<ConfusionTotal> HistoryStore::topConfusions(GameMode mode, int course, int limit) {
    std::vector<ConfusionTotal> top;
    eachRow("SELECT expected, typed, count FROM course_confusions WHERE mode = ?1 AND "
            "course = ?2 ORDER BY count DESC, expected, typed LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                const std::string expected = q.text(0);
                if (expected.size() == 1)
                    top.push_back(
                        {expected[0], static_cast<unsigned char>(q.integer(1)), q.integer(2)});
            });
    return top;
}

std::vector<SyllableTotal> HistoryStore::topSyllables(GameMode mode, int course, int limit) {
    std::vector<SyllableTotal> top;
    eachRow("SELECT syllable, count FROM course_syllables WHERE mode = ?1 AND course = ?2 "
            "ORDER BY count DESC, syllable LIMIT ?3",
            mode, course, limit, [&](const sql::Statement &q) {
                top.push_back({q.text(0), q.integer(1)});
            });
    return top;
}

bool HistoryStore::forEachGame(const std::function<void(const GameRecord &)> &each) {
    if (!db_)
        return false;
    std::string columns = kGameColumns;
    if (version_ < 3) // before games had a uid
        columns.replace(columns.rfind("uid"), 3, "NULL");
    sql::Statement q(*db_, "SELECT " + columns + " FROM games ORDER BY id");
    GameRecord game;
    for (;;) {
        switch (q.step()) {
        case sql::Statement::Step::Done:
            return true;
        case sql::Statement::Step::Failed:
            noteReadFailure();
            return false;
        case sql::Statement::Step::Row:
            break;
        }
        readGameRow(q, game);
        each(game);
    }
}

} // namespace zem
