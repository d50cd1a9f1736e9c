#pragma once

#include "history/game_record.h"
#include "history/sqlite.h"

#include <cstdint>
#include <string>

namespace zem {

// Stores one game, with its per-key part, and adds it to its course's
// totals, all in one transaction. A game whose uid is stored already is not
// stored again, and that counts as success: a replayed spool is no second game.
bool insertGame(sql::Database &db, const GameRecord &game, sql::Error &error);

// The columns of a game row, in the order readGameRow() takes them, as a
// history of schema `version` can answer them: the columns it does not have
// yet read as their defaults.
std::string gameColumns(int version);
// A row of gameColumns() into `game`; answers its id.
std::int64_t readGameRow(const sql::Statement &row, GameRecord &game);
// The per-key part of game `id`, in a history of schema `version`, into
// `game`; false when some of it could not be read.
bool readGameParts(sql::Database &db, int version, std::int64_t id, GameRecord &game);

} // namespace zem
