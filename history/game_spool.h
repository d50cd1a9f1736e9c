#pragma once

#include "history/game_record.h"

#include <string>
#include <vector>

namespace zem {

// Games the history could not take yet, kept on the disk beside it so that
// they outlive the program: each is appended and synced before the writer
// lets it go. Every record carries its length and a checksum, so a record
// torn by a crash is skipped when read and cut off at the next append.
// Whoever appends or replays holds the spool's lock (flock) meanwhile, so
// that two running copies neither interleave nor clear each other's games.
class GameSpool {
public:
    explicit GameSpool(const std::string &historyPath);
    ~GameSpool();
    GameSpool(const GameSpool &) = delete;
    GameSpool &operator=(const GameSpool &) = delete;

    static std::string pathFor(const std::string &historyPath) { return historyPath + ".spool"; }
    // Whether a spool file is there, without opening it.
    static bool present(const std::string &historyPath);

    // Opens (making it when `create`) and locks the spool; false when it
    // cannot, with `why` saying so.
    bool hold(bool create, std::string *why = nullptr);
    // With the spool held: the games after the last whole record, synced.
    bool append(const std::vector<GameRecord> &games, std::string *why = nullptr);
    // With the spool held: every whole record, oldest first.
    std::vector<GameRecord> read();
    // With the spool held: every game gone, on the disk too.
    bool clear();

    // One game as a record; the format's two halves, for the tests.
    static std::string encode(const GameRecord &game);
    static std::vector<GameRecord> decode(const std::string &bytes, std::size_t *wholeUpTo);

private:
    std::string path_;
    int fd_ = -1;
};

} // namespace zem
