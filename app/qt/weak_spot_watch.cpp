#include "app/qt/weak_spot_watch.h"

#include "history/history_view.h"
#include "history/history_writer.h"

#include <chrono>
#include <memory>

namespace zem {

WeakSpotWatch::WeakSpotWatch(std::string path, HistoryWriter *writer, QObject *parent)
    : QObject(parent), path_(std::move(path)), writer_(writer) {}

WeakSpotWatch::~WeakSpotWatch() {
    if (reader_.joinable())
        reader_.join();
}

HistoryDigest WeakSpotWatch::readNow(const std::string &path, HistoryWriter *writer,
                                     const HistorySource &source) {
    if (writer)
        writer->waitIdle(std::chrono::milliseconds(kHistoryViewWaitMs));
    return readHistoryDigest(path, source);
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
        auto digest = std::make_shared<HistoryDigest>(readNow(path, writer, source));
        QMetaObject::invokeMethod(
            this, [this, source, digest] { arrived(source, std::move(*digest)); },
            Qt::QueuedConnection);
    });
}

void WeakSpotWatch::arrived(const HistorySource &source, HistoryDigest digest) {
    reading_ = false;
    if (std::exchange(readAgain_, false)) {
        read(wanted_);
        return;
    }
    source_ = source;
    digest_ = std::move(digest);
    emit changed();
}

} // namespace zem
