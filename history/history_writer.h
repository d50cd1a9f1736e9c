#pragma once

#include "history/game_history.h"
#include "history/history_store.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace zem {

// The game's history on disk, written on a thread of its own: keep() only
// queues the game, so a slow disk or a history locked by another copy never
// holds up play. The database is opened when games are to be written, and
// closed again when they are; at start-up only when games wait in the spool.
// A game that cannot be written goes to the spool beside the history (or,
// when not even that can be written, stays in memory) and is tried again on
// a timer that waits longer after each failure, with the next game, and when
// the program ends; the spool again at the next start.
class HistoryWriter final : public GameHistory {
public:
    using StoreFactory = std::function<std::unique_ptr<HistoryStore>(const std::string &path)>;
    explicit HistoryWriter(std::string path, StoreFactory factory = {},
                           std::chrono::milliseconds firstRetry = std::chrono::seconds(5));
    ~HistoryWriter() override;
    HistoryWriter(const HistoryWriter &) = delete;
    HistoryWriter &operator=(const HistoryWriter &) = delete;

    void keep(GameRecord record) noexcept override;

    // Waits until every game kept so far was written or tried; for a window
    // about to read the history. False when time ran out.
    bool waitIdle(std::chrono::milliseconds timeout);

    struct Report {
        HistoryState state;    // as the store found the history when it opened it
        int pending = 0;       // games not written yet
        int inMemory = 0;      // of them, those not even in the spool
        std::string lastError; // why the last write failed; empty after a success
    };
    Report report() const;
    const std::string &path() const { return path_; }

private:
    void run();
    void writePending(std::unique_lock<std::mutex> &lock);
    bool replaySpool(HistoryStore &store, std::string &why, int &left);
    void spoolQueue(std::unique_lock<std::mutex> &lock, std::string &why);

    const std::string path_;
    StoreFactory factory_;
    const std::chrono::milliseconds firstRetry_;
    std::chrono::milliseconds retry_;
    mutable std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<GameRecord> queue_;
    int spooled_ = 0; // games in the spool not known to be written
    bool busy_ = false, stopping_ = false, retryDue_ = false, checked_ = false;
    Report report_;
    std::thread thread_;
};

} // namespace zem
