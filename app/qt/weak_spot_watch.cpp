#include "app/qt/weak_spot_watch.h"

#include "history/history_writer.h"

#include <chrono>
#include <memory>

namespace zem {

namespace {

// As long as the 成績 window waits for a game on its way to the disk.
constexpr int kWriteWaitMs = 500;

} // namespace

WeakSpotWatch::WeakSpotWatch(std::string path, HistoryWriter *writer, QObject *parent)
    : QObject(parent), path_(std::move(path)), writer_(writer) {}

WeakSpotWatch::~WeakSpotWatch() {
    if (reader_.joinable())
        reader_.join();
}

WeakSpots WeakSpotWatch::readNow(const std::string &path, HistoryWriter *writer,
                                 const HistorySource &source) {
    if (writer)
        writer->waitIdle(std::chrono::milliseconds(kWriteWaitMs));
    if (path.empty())
        return findWeakSpots({});
    HistoryStore store(path, HistoryStore::Role::Reader,
                       HistoryStore::Options{.busyTimeoutMs = kWriteWaitMs});
    return readFrom(store, source);
}

WeakSpots WeakSpotWatch::readFrom(HistoryStore &store, const HistorySource &source) {
    std::vector<GameCounts> games;
    for (const GameRecord &game : store.recentGames(source, kWeakSpotStrokes))
        games.push_back(gameCounts(game));
    return findWeakSpots(games);
}

void WeakSpotWatch::read(const HistorySource &source) {
    wanted_ = source;
    if (reading_) {
        readAgain_ = true;
        return;
    }
    if (reader_.joinable())
        reader_.join();
    reading_ = true;
    reader_ = std::thread([this, path = path_, writer = writer_, source] {
        auto spots = std::make_shared<WeakSpots>(readNow(path, writer, source));
        QMetaObject::invokeMethod(
            this, [this, source, spots] { arrived(source, *spots); }, Qt::QueuedConnection);
    });
}

void WeakSpotWatch::arrived(const HistorySource &source, const WeakSpots &spots) {
    reading_ = false;
    if (std::exchange(readAgain_, false)) {
        read(wanted_);
        return;
    }
    source_ = source;
    spots_ = spots;
    emit changed();
}

} // namespace zem
