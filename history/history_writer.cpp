#include "history/history_writer.h"

namespace zem {

HistoryWriter::HistoryWriter(std::string path, StoreFactory factory)
    : path_(std::move(path)), factory_(std::move(factory)) {
    if (!factory_)
        factory_ = [](const std::string &p) { return std::make_unique<HistoryStore>(p); };
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
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(record));
        report_.pending = int(queue_.size());
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
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || retryDue_; });
        const bool last = stopping_;
        if (retryDue_ || (last && !queue_.empty()))
            writePending(lock);
        if (last)
            return;
    }
}

// Writes the queue in order, stopping at the first game that fails (it is
// tried again at the next wake). The lock is let go while the disk works.
void HistoryWriter::writePending(std::unique_lock<std::mutex> &lock) {
    busy_ = true;
    retryDue_ = false;
    // Open for these games only: between two games the history is closed
    // and SQLite unloaded, so a game in play holds none of it.
    std::unique_ptr<HistoryStore> store;
    while (!queue_.empty()) {
        GameRecord game = queue_.front();
        lock.unlock();
        std::string why;
        bool written = false;
        HistoryState state;
        try {
            if (!store)
                store = factory_(path_);
            written = store->add(game, &why);
            state = store->state();
        } catch (...) {
            why = "out of memory";
        }
        lock.lock();
        // A history set aside stays said for the rest of the run, though
        // the stores opened after it find a sound one.
        if (state.setAside.empty())
            state.setAside = report_.state.setAside;
        report_.state = state;
        if (!written) {
            report_.lastError = why;
            break;
        }
        report_.lastError.clear();
        queue_.pop_front();
        report_.pending = int(queue_.size());
    }
    lock.unlock();
    store.reset();
    lock.lock();
    busy_ = false;
    idle_.notify_all();
}

} // namespace zem
