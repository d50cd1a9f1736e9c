#include "history/history_writer.h"

#include "history/game_spool.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/random.h>
#include <utility>
#include <vector>

namespace zem {

namespace {

constexpr std::chrono::milliseconds kLongestRetry = std::chrono::minutes(10);

// 128 random bits as hex: unique among every game of every copy without
// anyone handing them out.
std::string newUid() {
    unsigned char bits[16];
    if (::getrandom(bits, sizeof bits, 0) != ssize_t(sizeof bits)) {
        std::random_device device;
        for (unsigned char &b : bits)
            b = static_cast<unsigned char>(device());
    }
    char text[33];
    for (std::size_t i = 0; i < sizeof bits; ++i)
        std::snprintf(text + 2 * i, 3, "%02x", bits[i]);
    return text;
}

} // namespace

HistoryWriter::HistoryWriter(std::string path, StoreFactory factory,
                             std::chrono::milliseconds firstRetry)
    : path_(std::move(path)), factory_(std::move(factory)), firstRetry_(firstRetry),
      retry_(firstRetry) {
    if (!factory_)
        factory_ = [](const std::string &p) { return std::make_unique<HistoryStore>(p); };
    // Games an earlier run could not write go in now, off the caller's thread.
    if (GameSpool::present(path_)) {
        retryDue_ = true;
        thread_ = std::thread(&HistoryWriter::run, this);
    }
}

HistoryWriter::~HistoryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void HistoryWriter::keep(GameRecord record) noexcept {
    try {
        if (record.uid.empty())
            record.uid = newUid();
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(record));
        report_.pending = spooled_ + int(queue_.size());
        report_.inMemory = int(queue_.size());
        retryDue_ = true;
        // Started with the first game, so that a game never played costs no thread.
        if (!thread_.joinable())
            thread_ = std::thread(&HistoryWriter::run, this);
    } catch (...) {
        // No memory or no thread: the game is not kept, and play goes on.
        return;
    }
    wake_.notify_one();
}

bool HistoryWriter::waitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return !busy_ && !retryDue_; });
}

HistoryWriter::Report HistoryWriter::report() const {
    std::lock_guard lock(mutex_);
    return report_;
}

void HistoryWriter::run() {
    std::unique_lock lock(mutex_);
    auto due = [this] { return stopping_ || retryDue_; };
    for (;;) {
        if (queue_.empty() && spooled_ == 0)
            wake_.wait(lock, due);
        else if (!wake_.wait_for(lock, retry_, due))
            retryDue_ = true; // the back-off timer
        const bool last = stopping_;
        if (retryDue_ || (last && (!queue_.empty() || spooled_ > 0)))
            writePending(lock);
        if (last)
            return;
    }
}

// The spool first, then the queue, so that games arrive in the order they
// ended; what cannot be written goes to the spool. The lock is let go while
// the disk works. The run's first games go to the spool before the history
// is even opened, since opening it may repair it, and the look over the
// whole file that follows their writing may too: both can take long.
void HistoryWriter::writePending(std::unique_lock<std::mutex> &lock) {
    busy_ = true;
    retryDue_ = false;
    std::string why, spoolWhy;
    if (!checked_ && !queue_.empty())
        spoolQueue(lock, spoolWhy);
    lock.unlock();
    std::unique_ptr<HistoryStore> store;
    int left = 0;
    bool written = false;
    try {
        store = factory_(path_);
        written = !GameSpool::present(path_) || replaySpool(*store, why, left);
    } catch (...) {
        why = "out of memory";
    }
    lock.lock();
    spooled_ = left;
    while (written && !queue_.empty()) {
        GameRecord game = queue_.front();
        lock.unlock();
        try {
            written = store->add(game, &why);
        } catch (...) {
            written = false;
            why = "out of memory";
        }
        lock.lock();
        if (written)
            queue_.pop_front();
    }
    if (!written && !queue_.empty())
        spoolQueue(lock, spoolWhy);
    lock.unlock();
    HistoryState state;
    try {
        if (store && !std::exchange(checked_, true))
            store->checkWhole();
        state = store ? store->state() : state;
    } catch (...) {
    }
    lock.lock();
    // A history set aside stays said for the rest of the run, though
    // the stores opened after it find a sound one.
    if (state.setAside.empty()) {
        state.setAside = report_.state.setAside;
        state.carried = report_.state.carried;
    }
    report_.state = state;
    report_.lastError = written ? std::string() : why + (spoolWhy.empty() ? "" : "; " + spoolWhy);
    report_.pending = spooled_ + int(queue_.size());
    report_.inMemory = int(queue_.size());
    retry_ = written ? firstRetry_ : std::min(retry_ * 2, kLongestRetry);
    lock.unlock();
    store.reset();
    lock.lock();
    busy_ = false;
    idle_.notify_all();
}

// Every game of the spool into `store`, which skips those stored before a
// crash cut the last replay short.
bool HistoryWriter::replaySpool(HistoryStore &store, std::string &why, int &left) {
    GameSpool spool(path_);
    if (!spool.hold(false, &why))
        return !GameSpool::present(path_); // gone meanwhile: another copy replayed it
    left = spool.replay([&](const GameRecord &game) { return store.add(game, &why); });
    return left == 0;
}

// The games not written go to the spool, to outlive the program; those that
// cannot even go there stay in memory, and `why` says why.
void HistoryWriter::spoolQueue(std::unique_lock<std::mutex> &lock, std::string &why) {
    const std::vector<GameRecord> games(queue_.begin(), queue_.end());
    lock.unlock();
    GameSpool spool(path_);
    const bool kept = spool.hold(true, &why) && spool.append(games, &why);
    lock.lock();
    if (!kept)
        return;
    spooled_ += int(games.size());
    queue_.erase(queue_.begin(), queue_.begin() + std::ptrdiff_t(games.size()));
}

} // namespace zem
