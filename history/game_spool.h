#pragma once

#include "history/game_record.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// Games the history could not take yet, kept on the disk beside it so that
// they outlive the program: each is appended and synced before the writer
// lets it go. Every record carries its length and a checksum. Nothing in it
// is ever dropped unwritten: a stretch that is no whole record (torn by a
// crash, or damaged) is moved to a file of its own beside it, and a whole
// record this program cannot read, written by a later one, waits for it.
// Whoever appends or replays holds the spool's lock (flock) meanwhile, so
// that two running copies neither interleave nor clear each other's games.
class GameSpool {
public:
    static constexpr std::size_t kLimit = 8 << 20; // bytes: some thousands of games

    explicit GameSpool(const std::string &historyPath, std::size_t limit = kLimit);
    ~GameSpool();
    GameSpool(const GameSpool &) = delete;
    GameSpool &operator=(const GameSpool &) = delete;

    static std::string pathFor(const std::string &historyPath) { return historyPath + ".spool"; }
    // Whether a spool file is there, without opening it.
    static bool present(const std::string &historyPath);

    // Opens (making it when `create`) and locks the spool; false when it
    // cannot, with `why` saying so.
    bool hold(bool create, std::string *why = nullptr);
    // With the spool held: the games after what is there, synced, without
    // reading it; refused when they would take it past its limit.
    bool append(const std::vector<GameRecord> &games, std::string *why = nullptr);
    // With the spool held: every game it holds, oldest first, read without
    // changing it.
    std::vector<GameRecord> read();
    // With the spool held: hands its games to `store`, oldest first, until
    // one is refused, and answers how many are left from there. The spool
    // then holds those and the records that wait for a later program; each
    // stretch that is no record has gone to the first free `.damaged-N`
    // beside it. The spool is let go.
    int replay(const std::function<bool(const GameRecord &)> &store);

    // One game as a record.
    static std::string encode(const GameRecord &game);

private:
    bool setAside(std::string_view bytes);
    bool keepOnly(const std::string &bytes);

    std::string path_;
    std::size_t limit_;
    int fd_ = -1;
};

} // namespace zem
