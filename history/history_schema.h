#pragma once

namespace zem {

// The schema, one step a version: step i brings user_version i to i + 1.
// A step once shipped never changes; a new need is a new step.
inline constexpr const char *kSchemaSteps[] = {
    // 1: every game with its figures and its per-key part.
    R"sql(
CREATE TABLE games (
    id            INTEGER PRIMARY KEY,
    finished_unix INTEGER NOT NULL,  -- seconds since the epoch
    utc_offset    INTEGER NOT NULL,  -- seconds east of UTC, then and there
    mode          TEXT    NOT NULL CHECK (mode IN ('word', 'proverb')),
    course        INTEGER NOT NULL,
    strokes       INTEGER NOT NULL,
    misses        INTEGER NOT NULL,
    seconds       INTEGER NOT NULL,
    speed         TEXT,              -- as hiscore.dat writes it; NULL when stopped
    completed     INTEGER NOT NULL CHECK (completed IN (0, 1)),
    new_record    INTEGER NOT NULL CHECK (new_record IN (0, 1))
);
CREATE TABLE game_keys (
    game_id INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE,
    key     TEXT    NOT NULL,
    hits    INTEGER NOT NULL,
    misses  INTEGER NOT NULL,
    PRIMARY KEY (game_id, key)
) WITHOUT ROWID;
CREATE TABLE game_confusions (
    game_id  INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE,
    expected TEXT    NOT NULL,
    typed    INTEGER NOT NULL,       -- the byte received instead
    count    INTEGER NOT NULL,
    PRIMARY KEY (game_id, expected, typed)
) WITHOUT ROWID;
CREATE TABLE game_syllables (
    game_id  INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE,
    syllable TEXT    NOT NULL,
    count    INTEGER NOT NULL,
    PRIMARY KEY (game_id, syllable)
) WITHOUT ROWID;
)sql",
    // 2: totals per mode and course, kept as games arrive, and each game's
    // best-so-far, so that opening the window reads a few rows, not every game.
    R"sql(
CREATE INDEX games_by_course ON games (mode, course, completed, finished_unix, id);
ALTER TABLE games ADD COLUMN best_so_far REAL;
UPDATE games SET best_so_far = b.best
  FROM (SELECT id, MAX(CAST(speed AS REAL)) OVER (
            PARTITION BY mode, course ORDER BY finished_unix, id) AS best
          FROM games WHERE completed = 1) AS b
 WHERE games.id = b.id;
CREATE TABLE course_totals (
    mode            TEXT    NOT NULL,
    course          INTEGER NOT NULL,
    games           INTEGER NOT NULL,
    completed_games INTEGER NOT NULL,
    seconds         INTEGER NOT NULL,
    strokes         INTEGER NOT NULL,
    misses          INTEGER NOT NULL,
    best            REAL    NOT NULL,
    PRIMARY KEY (mode, course)
) WITHOUT ROWID;
INSERT INTO course_totals
SELECT mode, course, COUNT(*), SUM(completed), SUM(seconds), SUM(strokes), SUM(misses),
       COALESCE(MAX(CASE WHEN completed = 1 THEN CAST(speed AS REAL) END), 0)
  FROM games GROUP BY mode, course;
CREATE TABLE course_keys (
    mode   TEXT    NOT NULL,
    course INTEGER NOT NULL,
    key    TEXT    NOT NULL,
    hits   INTEGER NOT NULL,
    misses INTEGER NOT NULL,
    PRIMARY KEY (mode, course, key)
) WITHOUT ROWID;
INSERT INTO course_keys
SELECT mode, course, key, SUM(k.hits), SUM(k.misses)
  FROM game_keys AS k JOIN games ON games.id = k.game_id GROUP BY mode, course, key;
CREATE TABLE course_confusions (
    mode     TEXT    NOT NULL,
    course   INTEGER NOT NULL,
    expected TEXT    NOT NULL,
    typed    INTEGER NOT NULL,
    count    INTEGER NOT NULL,
    PRIMARY KEY (mode, course, expected, typed)
) WITHOUT ROWID;
INSERT INTO course_confusions
SELECT mode, course, expected, typed, SUM(count)
  FROM game_confusions JOIN games ON games.id = game_id GROUP BY mode, course, expected, typed;
CREATE TABLE course_syllables (
    mode     TEXT    NOT NULL,
    course   INTEGER NOT NULL,
    syllable TEXT    NOT NULL,
    count    INTEGER NOT NULL,
    PRIMARY KEY (mode, course, syllable)
) WITHOUT ROWID;
INSERT INTO course_syllables
SELECT mode, course, syllable, SUM(count)
  FROM game_syllables JOIN games ON games.id = game_id GROUP BY mode, course, syllable;
)sql",
    // 3: each game's own name, so that a game written again after a crash
    // (from the spool) is found stored and skipped; and games in arrival
    // order (the rowid ends every index), which a clock set back cannot upset.
    R"sql(
ALTER TABLE games ADD COLUMN uid TEXT;
CREATE UNIQUE INDEX games_by_uid ON games (uid);
DROP INDEX games_by_course;
CREATE INDEX games_by_arrival ON games (mode, course, completed);
)sql",
    // 4: the spelling rule a game was judged by, the player's list it came
    // from, whether it was practice, and its hits and misses per kana. The
    // totals tables' mode column now names a source: a mode, or "list:" and
    // the list's name; the syllable tables stay for the games before.
    R"sql(
ALTER TABLE games ADD COLUMN spelling TEXT NOT NULL DEFAULT 'table'
    CHECK (spelling IN ('table', 'any'));
ALTER TABLE games ADD COLUMN list TEXT;
ALTER TABLE games ADD COLUMN practice INTEGER NOT NULL DEFAULT 0 CHECK (practice IN (0, 1));
CREATE INDEX games_by_list ON games (list, course, completed) WHERE list IS NOT NULL;
CREATE TABLE game_kana (
    game_id INTEGER NOT NULL REFERENCES games (id) ON DELETE CASCADE,
    kana    TEXT    NOT NULL,
    hits    INTEGER NOT NULL,
    misses  INTEGER NOT NULL,
    PRIMARY KEY (game_id, kana)
) WITHOUT ROWID;
CREATE TABLE course_kana (
    mode   TEXT    NOT NULL,
    course INTEGER NOT NULL,
    kana   TEXT    NOT NULL,
    hits   INTEGER NOT NULL,
    misses INTEGER NOT NULL,
    PRIMARY KEY (mode, course, kana)
) WITHOUT ROWID;
)sql",
};

} // namespace zem
