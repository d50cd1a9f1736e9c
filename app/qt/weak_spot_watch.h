#pragma once

#include "history/history_source.h"
#include "history/history_view.h"

#include <QObject>

#include <string>
#include <thread>

namespace zem {

class HistoryWriter;

// The weak spots of the game's current source and the lesson steps' games,
// read on a thread of its own so that the game never waits for the history:
// asked for at start-up, when the source changes and after each game, once
// the writer has written it. Until the first read is in, nothing counts as
// found.
class WeakSpotWatch final : public QObject {
    Q_OBJECT

public:
    WeakSpotWatch(std::string path, HistoryWriter *writer, QObject *parent = nullptr);
    ~WeakSpotWatch() override;

    // Reads `source` anew; a read asked for while one runs follows it.
    void read(const HistorySource &source);
    const WeakSpots &spots() const { return digest_.spots; }
    const std::vector<LessonGame> &lessons() const { return digest_.lessons; }
    // The source of spots(); it may lag behind the last read() asked for.
    const HistorySource &source() const { return source_; }
    bool reading() const { return reading_; }
    // The source of the last read() asked for.
    const HistorySource &wanted() const { return wanted_; }

    // What one read finds.
    static HistoryDigest readNow(const std::string &path, HistoryWriter *writer,
                                 const HistorySource &source);

signals:
    void changed();

private:
    void arrived(const HistorySource &source, HistoryDigest digest);

    const std::string path_;
    HistoryWriter *const writer_;
    std::thread reader_; // joined before the next starts and by the destructor
    bool reading_ = false, readAgain_ = false;
    HistorySource wanted_, source_;
    HistoryDigest digest_;
};

} // namespace zem
