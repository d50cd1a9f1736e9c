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

HistoryTotals HistoryStore::totals(const HistorySource &source, int course) {
    if (!db_)
        return {};
    sql::Statement q(*db_, "SELECT games, completed_games, seconds, strokes, misses, best "
                           "FROM course_totals WHERE mode = ?1 AND course = ?2");
    q.bind(1, source.key()).bind(2, course);
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

// The condition on the games table that picks a source's games, with ?1 the
// source's mode or list: the built-in table's games are those of no list.
std::string HistoryStore::gamesOf(const HistorySource &source, bool withPractice) const {
    if (version_ < 4)
        return source.list.empty() ? "mode = ?1" : "0";
    std::string where = source.list.empty() ? "mode = ?1 AND list IS NULL" : "list = ?1";
    return withPractice ? where : where + " AND practice = 0";
}

// Runs a query of one source and course, with ?3 the row limit when it has
// one, and hands each row to `each`; nothing when there is no database.
template <typename Each>
void HistoryStore::eachRow(const std::string &sql, const std::string &source, int course, int limit,
                           Each each) {
    if (!db_)
        return;
    sql::Statement q(*db_, sql);
    q.bind(1, source).bind(2, course);
    if (limit >= 0)
        q.bind(3, limit);
    sql::Statement::Step step;
    while ((step = q.step()) == sql::Statement::Step::Row)
        each(q);
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
}

std::vector<SpeedPoint> HistoryStore::speeds(const HistorySource &source, int course, int limit) {
    std::vector<SpeedPoint> points;
    eachRow("SELECT finished_unix, utc_offset, CAST(speed AS REAL), best_so_far, new_record "
            "FROM games WHERE " +
                gamesOf(source, false) +
                " AND course = ?2 AND completed = 1 ORDER BY id DESC LIMIT ?3",
            source.list.empty() ? modeName(source.mode) : source.list, course, limit,
            [&](const sql::Statement &q) {
                points.push_back({{q.integer(0), std::int32_t(q.integer(1))},
                                  q.real(2),
                                  q.real(3),
                                  q.integer(4) != 0});
            });
    return {points.rbegin(), points.rend()};
}

std::vector<KeyRate> HistoryStore::keyRates(const HistorySource &source, int course) {
    std::vector<KeyRate> rates;
    eachRow("SELECT key, hits, misses FROM course_keys WHERE mode = ?1 AND course = ?2 "
            "ORDER BY key",
            source.key(), course, -1, [&](const sql::Statement &q) {
                const std::string key = q.text(0);
                if (key.size() == 1)
                    rates.push_back({key[0], q.integer(1), q.integer(2)});
            });
    return rates;
}

std::vector<ConfusionTotal> HistoryStore::topConfusions(const HistorySource &source, int course,
                                                        int limit) {
    std::vector<ConfusionTotal> top;
    eachRow("SELECT expected, typed, count FROM course_confusions WHERE mode = ?1 AND "
            "course = ?2 ORDER BY count DESC, expected, typed LIMIT ?3",
            source.key(), course, limit, [&](const sql::Statement &q) {
                const std::string expected = q.text(0);
                if (expected.size() == 1)
                    top.push_back(
                        {expected[0], static_cast<unsigned char>(q.integer(1)), q.integer(2)});
            });
    return top;
}

std::vector<KanaTotal> HistoryStore::topKana(const HistorySource &source, int course, int limit) {
    std::vector<KanaTotal> top;
    if (version_ < 4)
        return top;
    eachRow("SELECT kana, hits, misses FROM course_kana WHERE mode = ?1 AND course = ?2 "
            "AND misses > 0 ORDER BY misses DESC, kana LIMIT ?3",
            source.key(), course, limit, [&](const sql::Statement &q) {
                top.push_back({q.text(0), q.integer(1), q.integer(2)});
            });
    return top;
}

std::vector<SyllableTotal> HistoryStore::topSyllables(const HistorySource &source, int course,
                                                      int limit) {
    std::vector<SyllableTotal> top;
    eachRow("SELECT syllable, count FROM course_syllables WHERE mode = ?1 AND course = ?2 "
            "ORDER BY count DESC, syllable LIMIT ?3",
            source.key(), course, limit, [&](const sql::Statement &q) {
                top.push_back({q.text(0), q.integer(1)});
            });
    return top;
}

std::vector<std::string> HistoryStore::lists() {
    std::vector<std::string> names;
    if (!db_ || version_ < 4)
        return names;
    sql::Statement q(*db_, "SELECT DISTINCT list FROM games WHERE list IS NOT NULL ORDER BY list");
    sql::Statement::Step step;
    while ((step = q.step()) == sql::Statement::Step::Row)
        if (std::string name = q.text(0); !lessonOfList(name))
            names.push_back(std::move(name));
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
    return names;
}

std::vector<LessonGame> HistoryStore::lessonGames() {
    std::vector<LessonGame> games;
    if (!db_ || version_ < 4)
        return games;
    // Every lesson list lies between "lesson/" and "lesson0" ('0' follows '/').
    sql::Statement q(*db_,
                     "SELECT list, strokes, misses, CAST(speed AS REAL) FROM games WHERE list >= "
                     "'lesson/' AND list < 'lesson0' AND completed = 1 ORDER BY id");
    sql::Statement::Step step;
    while ((step = q.step()) == sql::Statement::Step::Row)
        if (const int lesson = lessonOfList(q.text(0)))
            games.push_back(
                {lesson, std::int32_t(q.integer(1)), std::int32_t(q.integer(2)), q.real(3)});
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
    return games;
}

std::vector<GameRecord> HistoryStore::recentGames(const HistorySource &source,
                                                  std::int64_t judged) {
    std::vector<GameRecord> games;
    if (!db_ || version_ < 4)
        return games;
    // Games kept before kana were counted have none: the reading stops at the
    // first game that has, so that a long history of older games is not read
    // through, game by game, for nothing.
    sql::Statement first(*db_, "SELECT MIN(game_id) FROM game_kana");
    if (first.step() != sql::Statement::Step::Row || first.isNull(0))
        return games;
    sql::Statement q(*db_, "SELECT " + gameColumns(version_) + " FROM games WHERE " +
                               gamesOf(source, true) + " AND id >= ?2 ORDER BY id DESC");
    q.bind(1, source.list.empty() ? modeName(source.mode) : source.list).bind(2, first.integer(0));
    std::int64_t seen = 0;
    sql::Statement::Step step = sql::Statement::Step::Done;
    while (seen < judged && (step = q.step()) == sql::Statement::Step::Row) {
        GameRecord game;
        const std::int64_t id = readGameRow(q, game);
        if (!readGameParts(*db_, version_, id, game)) {
            noteReadFailure();
            break;
        }
        if (game.kana.empty())
            continue;
        seen += game.strokes + game.misses;
        games.push_back(std::move(game));
    }
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
    return games;
}

// The hits and misses of `kana` over a source's games before or since its
// first practice game (`range` compares the game's id with ?2).
std::vector<KanaTotal> HistoryStore::kanaOf(const HistorySource &source, const char *range,
                                            std::int64_t firstPractice,
                                            const std::vector<std::string> &kana) {
    std::vector<KanaTotal> totals;
    for (const std::string &k : kana)
        totals.push_back({k});
    sql::Statement q(*db_, std::string("SELECT k.kana, SUM(k.hits), SUM(k.misses) FROM games "
                                       "JOIN game_kana AS k ON k.game_id = games.id WHERE ") +
                               gamesOf(source, true) + " AND games.id " + range +
                               " ?2 GROUP BY k.kana");
    q.bind(1, source.list.empty() ? modeName(source.mode) : source.list).bind(2, firstPractice);
    sql::Statement::Step step;
    while ((step = q.step()) == sql::Statement::Step::Row)
        for (KanaTotal &t : totals)
            if (t.kana == q.text(0)) {
                t.hits = q.integer(1);
                t.misses = q.integer(2);
            }
    if (step == sql::Statement::Step::Failed)
        noteReadFailure();
    return totals;
}

PracticeProgress HistoryStore::practiceProgress(const HistorySource &source,
                                                const std::vector<std::string> &kana) {
    PracticeProgress progress;
    if (!db_ || version_ < 4)
        return progress;
    sql::Statement first(*db_, "SELECT MIN(id) FROM games WHERE " + gamesOf(source, true) +
                                   " AND practice = 1");
    first.bind(1, source.list.empty() ? modeName(source.mode) : source.list);
    if (first.step() != sql::Statement::Step::Row || first.isNull(0))
        return progress;
    const std::int64_t id = first.integer(0);
    progress.practised = true;
    progress.before = kanaOf(source, "<", id, kana);
    progress.since = kanaOf(source, ">=", id, kana);
    return progress;
}

bool HistoryStore::forEachGame(const std::function<void(const GameRecord &)> &each) {
    if (!db_)
        return false;
    sql::Statement q(*db_, "SELECT " + gameColumns(version_) + " FROM games ORDER BY id");
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
