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
// closed again when they are, never at start-up.
// A game that cannot be written stays queued and is tried again with the
// next one and once more when the program ends.
class HistoryWriter final : public GameHistory {
public:
    using StoreFactory = std::function<std::unique_ptr<HistoryStore>(const std::string &path)>;
    explicit HistoryWriter(std::string path, StoreFactory factory = {});
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
        std::string lastError; // why the last write failed; empty after a success
    };
    Report report() const;
    const std::string &path() const { return path_; }

private:
    void run();
    void writePending(std::unique_lock<std::mutex> &lock);

    const std::string path_;
    StoreFactory factory_;
    mutable std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<GameRecord> queue_;
    bool busy_ = false, stopping_ = false, retryDue_ = false;
    Report report_;
    std::thread thread_;
};

} // namespace zem
