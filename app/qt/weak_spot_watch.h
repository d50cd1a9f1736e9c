#pragma once

#include "history/history_source.h"
#include "history/weak_spots.h"

#include <QObject>

#include <string>
#include <thread>

namespace zem {

class HistoryWriter;

// The weak spots of the game's current source, read on a thread of its own
// so that the game never waits for the history: asked for at start-up, when
// the source changes and after each game, once the writer has written it.
// Until the first read is in, nothing counts as found.
class WeakSpotWatch final : public QObject {
    Q_OBJECT

public:
    WeakSpotWatch(std::string path, HistoryWriter *writer, QObject *parent = nullptr);
    ~WeakSpotWatch() override;

    // Reads `source` anew; a read asked for while one runs follows it.
    void read(const HistorySource &source);
    const WeakSpots &spots() const { return spots_; }
    // The source of spots(); it may lag behind the last read() asked for.
    const HistorySource &source() const { return source_; }
    bool reading() const { return reading_; }
    // The source of the last read() asked for.
    const HistorySource &wanted() const { return wanted_; }

    // What one read finds.
    static WeakSpots readNow(const std::string &path, HistoryWriter *writer,
                             const HistorySource &source);

signals:
    void changed();

private:
    void arrived(const HistorySource &source, const WeakSpots &spots);

    const std::string path_;
    HistoryWriter *const writer_;
    std::thread reader_; // joined before the next starts and by the destructor
    bool reading_ = false, readAgain_ = false;
    HistorySource wanted_, source_;
    WeakSpots spots_;
};

} // namespace zem
