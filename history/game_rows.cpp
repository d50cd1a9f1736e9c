#include "history/game_rows.h"

#include <charconv>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace zem {

namespace {

// Speeds are written with "." under every locale, and so they are read.
double speedValue(const std::string &speed) {
    double value = 0;
    std::from_chars(speed.data(), speed.data() + speed.size(), value);
    return value;
}

} // namespace

std::string gameColumns(int version) {
    std::string columns = "id, finished_unix, utc_offset, mode, course, strokes, misses, seconds, "
                          "speed, completed, new_record, ";
    columns += version >= 3 ? "uid, " : "NULL, ";
    columns += version >= 4 ? "spelling, list, practice" : "'table', NULL, 0";
    return columns;
}

bool insertGame(sql::Database &db, const GameRecord &game, sql::Error &error) {
    sql::Transaction transaction(db);
    auto failed = [&] {
        error = db.lastError();
        if (!error)
            error = {SQLITE_ERROR, "history write failed"};
        return false;
    };
    if (!transaction.begun())
        return failed();
    if (!game.uid.empty()) {
        sql::Statement stored(db, "SELECT 1 FROM games WHERE uid = ?1");
        switch (stored.bind(1, game.uid).step()) {
        case sql::Statement::Step::Row:
            return true;
        case sql::Statement::Step::Failed:
            return failed();
        case sql::Statement::Step::Done:
            break;
        }
    }
    // The totals are kept per source; a practice game never raises the best.
    const std::string mode = sourceKey(game.mode, game.list);
    const double speed = game.completed && !game.practice ? speedValue(game.speed) : 0.0;

    sql::Statement best(db, "SELECT best FROM course_totals WHERE mode = ?1 AND course = ?2");
    best.bind(1, mode).bind(2, game.course);
    sql::Statement::Step step = best.step();
    if (step == sql::Statement::Step::Failed)
        return failed();
    const double bestBefore = step == sql::Statement::Step::Row ? best.real(0) : 0.0;
    const double bestNow = game.completed && speed > bestBefore ? speed : bestBefore;

    sql::Statement row(db, "INSERT INTO games (finished_unix, utc_offset, mode, course, strokes, "
                           "misses, seconds, speed, completed, new_record, best_so_far, uid, "
                           "spelling, list, practice) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
                           "?15)");
    row.bind(1, game.finishedAt.unixSeconds)
        .bind(2, game.finishedAt.utcOffsetSeconds)
        .bind(3, modeName(game.mode))
        .bind(4, game.course)
        .bind(5, game.strokes)
        .bind(6, game.misses)
        .bind(7, game.seconds)
        .bind(9, game.completed ? 1 : 0)
        .bind(10, game.newRecord ? 1 : 0);
    if (game.completed) {
        row.bind(8, game.speed);
        row.bindReal(11, bestNow);
    } else {
        row.bindNull(8).bindNull(11);
    }
    if (game.uid.empty())
        row.bindNull(12);
    else
        row.bind(12, game.uid);
    row.bind(13, spellingRuleName(game.spelling)).bind(15, game.practice ? 1 : 0);
    if (game.list.empty())
        row.bindNull(14);
    else
        row.bind(14, game.list);
    if (!row.run())
        return failed();
    const std::int64_t id = db.lastInsertRowid();

    sql::Statement totals(
        db, "INSERT INTO course_totals AS t VALUES (?1, ?2, 1, ?3, ?4, ?5, ?6, ?7) "
            "ON CONFLICT DO UPDATE SET games = t.games + 1, "
            "completed_games = t.completed_games + excluded.completed_games, "
            "seconds = t.seconds + excluded.seconds, strokes = t.strokes + excluded.strokes, "
            "misses = t.misses + excluded.misses, best = MAX(t.best, excluded.best)");
    totals.bind(1, mode)
        .bind(2, game.course)
        .bind(3, game.completed ? 1 : 0)
        .bind(4, game.seconds)
        .bind(5, game.strokes)
        .bind(6, game.misses);
    if (!totals.bindReal(7, bestNow).run())
        return failed();

    sql::Statement key(db, "INSERT INTO game_keys VALUES (?1, ?2, ?3, ?4)");
    sql::Statement keyTotal(db, "INSERT INTO course_keys AS t VALUES (?1, ?2, ?3, ?4, ?5) "
                                "ON CONFLICT DO UPDATE SET hits = t.hits + excluded.hits, "
                                "misses = t.misses + excluded.misses");
    for (const KeyTally &k : game.keys) {
        const std::string_view name(&k.key, 1);
        key.bind(1, id).bind(2, name).bind(3, k.hits).bind(4, k.misses);
        keyTotal.bind(1, mode).bind(2, game.course).bind(3, name).bind(4, k.hits).bind(5, k.misses);
        if (!key.run() || !keyTotal.run())
            return failed();
        key.reset();
        keyTotal.reset();
    }
    sql::Statement confusion(db, "INSERT INTO game_confusions VALUES (?1, ?2, ?3, ?4)");
    sql::Statement confusionTotal(db,
                                  "INSERT INTO course_confusions AS t VALUES (?1, ?2, ?3, ?4, ?5) "
                                  "ON CONFLICT DO UPDATE SET count = t.count + excluded.count");
    for (const Confusion &c : game.confusions) {
        const std::string_view expected(&c.expected, 1);
        confusion.bind(1, id).bind(2, expected).bind(3, c.typed).bind(4, c.count);
        confusionTotal.bind(1, mode)
            .bind(2, game.course)
            .bind(3, expected)
            .bind(4, c.typed)
            .bind(5, c.count);
        if (!confusion.run() || !confusionTotal.run())
            return failed();
        confusion.reset();
        confusionTotal.reset();
    }
    sql::Statement syllable(db, "INSERT INTO game_syllables VALUES (?1, ?2, ?3)");
    sql::Statement syllableTotal(db, "INSERT INTO course_syllables AS t VALUES (?1, ?2, ?3, ?4) "
                                     "ON CONFLICT DO UPDATE SET count = t.count + excluded.count");
    for (const SyllableMisses &s : game.syllables) {
        syllable.bind(1, id).bind(2, s.syllable).bind(3, s.count);
        syllableTotal.bind(1, mode).bind(2, game.course).bind(3, s.syllable).bind(4, s.count);
        if (!syllable.run() || !syllableTotal.run())
            return failed();
        syllable.reset();
        syllableTotal.reset();
    }
    sql::Statement kana(db, "INSERT INTO game_kana VALUES (?1, ?2, ?3, ?4)");
    sql::Statement kanaTotal(db, "INSERT INTO course_kana AS t VALUES (?1, ?2, ?3, ?4, ?5) "
                                 "ON CONFLICT DO UPDATE SET hits = t.hits + excluded.hits, "
                                 "misses = t.misses + excluded.misses");
    for (const KanaTally &k : game.kana) {
        kana.bind(1, id).bind(2, k.kana).bind(3, k.hits).bind(4, k.misses);
        kanaTotal.bind(1, mode)
            .bind(2, game.course)
            .bind(3, k.kana)
            .bind(4, k.hits)
            .bind(5, k.misses);
        if (!kana.run() || !kanaTotal.run())
            return failed();
        kana.reset();
        kanaTotal.reset();
    }
    error = transaction.commit();
    return !error;
}

std::int64_t readGameRow(const sql::Statement &q, GameRecord &game) {
    game.finishedAt = {q.integer(1), std::int32_t(q.integer(2))};
    game.mode = q.text(3) == "proverb" ? GameMode::Proverb : GameMode::Word;
    game.course = std::int32_t(q.integer(4));
    game.strokes = std::int32_t(q.integer(5));
    game.misses = std::int32_t(q.integer(6));
    game.seconds = std::int32_t(q.integer(7));
    game.speed = q.isNull(8) ? std::string() : q.text(8);
    game.completed = q.integer(9) != 0;
    game.newRecord = q.integer(10) != 0;
    game.uid = q.isNull(11) ? std::string() : q.text(11);
    game.spelling = q.text(12) == "any" ? SpellingRule::Any : SpellingRule::Table;
    game.list = q.isNull(13) ? std::string() : q.text(13);
    game.practice = q.integer(14) != 0;
    return q.integer(0);
}

bool readGameParts(sql::Database &db, int version, std::int64_t id, GameRecord &game) {
    game.keys.clear();
    game.confusions.clear();
    game.syllables.clear();
    game.kana.clear();
    auto each = [&](const char *sql, auto take) {
        sql::Statement q(db, sql);
        q.bind(1, id);
        sql::Statement::Step step;
        while ((step = q.step()) == sql::Statement::Step::Row)
            take(q);
        return step == sql::Statement::Step::Done;
    };
    const bool keys = each("SELECT key, hits, misses FROM game_keys WHERE game_id = ?1",
                           [&](const sql::Statement &q) {
                               const std::string key = q.text(0);
                               if (key.size() == 1)
                                   game.keys.push_back({key[0], std::int32_t(q.integer(1)),
                                                        std::int32_t(q.integer(2))});
                           });
    const bool confusions = each(
        "SELECT expected, typed, count FROM game_confusions WHERE game_id = ?1",
        [&](const sql::Statement &q) {
            const std::string expected = q.text(0);
            if (expected.size() == 1)
                game.confusions.push_back({expected[0], static_cast<unsigned char>(q.integer(1)),
                                           std::int32_t(q.integer(2))});
        });
    const bool syllables =
        each("SELECT syllable, count FROM game_syllables WHERE game_id = ?1",
             [&](const sql::Statement &q) {
                 game.syllables.push_back({q.text(0), std::int32_t(q.integer(1))});
             });
    // Games of a history before kana were counted have none to read.
    const bool kana =
        version < 4 || each("SELECT kana, hits, misses FROM game_kana WHERE "
                            "game_id = ?1",
                            [&](const sql::Statement &q) {
                                game.kana.push_back({q.text(0), std::int32_t(q.integer(1)),
                                                     std::int32_t(q.integer(2))});
                            });
    return keys && confusions && syllables && kana;
}

} // namespace zem
