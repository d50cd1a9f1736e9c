#pragma once

#include "history/history_view.h"

#include <QWidget>

#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace zem {

class HistoryWriter;
class KeyHeatMap;
class SpeedChart;

// The 成績 window: for one source (a mode or a list) and course, the speed
// over time, the miss rate of each key, the kana (or, in older games, the
// syllables) and keys most often missed, how the weak kana went since
// practice began, and the totals. It
// only reads the history (read-only: it never makes, converts or repairs
// one), anew for each view, on a thread of its own so that a slow or locked
// history never holds up the game; and it says plainly when the history
// cannot be read or written.
class HistoryWindow final : public QWidget {
    Q_OBJECT

public:
    // `writer` is the running game's, or null when the window is alone.
    HistoryWindow(std::string path, HistoryWriter *writer, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    // Shows the window (or raises it) on a source and course, read afresh.
    void showFor(const HistorySource &source, int course);

    const HistorySource &source() const;
    GameMode mode() const { return source().mode; }
    int course() const;
    // Whether a read or an export is under way.
    bool busy() const { return reading_ || exporting_; }

    // The button that starts a practice game, shown once the game offers
    // one, with `tip`; `why` says why it cannot start on the status line.
    void offerPractice(bool enabled, const QString &tip, const QString &why);

signals:
    void practiceAsked();

private:
    QWidget *createSelectors();
    QWidget *createTroubleSpots();
    QWidget *createLessons();
    QWidget *createTotals();
    void refresh();
    void showView(const HistoryView &view);
    void showSources(const std::vector<std::string> &lists);
    void showTroubleSpots(const HistoryView &view);
    void showProgress(const PracticeProgress &progress);
    void showLessons(const std::vector<LessonGame> &games);
    void exportCsv();
    void exported(const std::string &why);

    const std::string path_;
    HistoryWriter *const writer_;
    // Each joined before the next starts, and by the destructor; what they
    // find comes back through the event loop.
    std::thread reader_, exporter_;
    bool reading_ = false, readAgain_ = false, exporting_ = false;
    QPushButton *export_ = nullptr;
    QPushButton *practice_ = nullptr;
    QLabel *practiceStatus_ = nullptr;

    QComboBox *sources_ = nullptr;
    std::vector<HistorySource> sourceItems_; // by the chooser's index
    QComboBox *course_ = nullptr;
    SpeedChart *chart_ = nullptr;
    KeyHeatMap *heatMap_ = nullptr;
    QLabel *syllables_ = nullptr;
    QLabel *confusions_ = nullptr;
    QWidget *progressBox_ = nullptr;
    QLabel *progress_ = nullptr;
    QWidget *lessonsBox_ = nullptr;
    QLabel *lessons_ = nullptr;
    QLabel *games_ = nullptr, *time_ = nullptr, *strokes_ = nullptr, *misses_ = nullptr,
           *best_ = nullptr;
    QLabel *trouble_ = nullptr;
};

} // namespace zem
