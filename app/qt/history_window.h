#pragma once

#include "history/game_record.h"

#include <QWidget>

#include <memory>
#include <string>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;

namespace zem {

class HistoryStore;
class HistoryWriter;
class KeyHeatMap;
class SpeedChart;

// The 成績 window: for one mode and course, the speed over time, the miss rate
// of each key, the syllables and keys most often missed, and the totals. It
// only reads the history, anew each time it is opened, and says plainly when
// the history cannot be read or written.
class HistoryWindow final : public QWidget {
    Q_OBJECT

public:
    // `writer` is the running game's, or null when the window is alone.
    HistoryWindow(std::string path, HistoryWriter *writer, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    // Shows the window (or raises it) on a mode and course, read afresh.
    void showFor(GameMode mode, int course);

    GameMode mode() const;
    int course() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createSelectors();
    QWidget *createTroubleSpots();
    QWidget *createTotals();
    void openStore();
    void refresh();
    void exportCsv();

    const std::string path_;
    HistoryWriter *const writer_;
    std::unique_ptr<HistoryStore> store_; // null while closed or while there is no history yet

    QButtonGroup *modes_ = nullptr;
    QComboBox *course_ = nullptr;
    SpeedChart *chart_ = nullptr;
    KeyHeatMap *heatMap_ = nullptr;
    QLabel *syllables_ = nullptr;
    QLabel *confusions_ = nullptr;
    QLabel *games_ = nullptr, *time_ = nullptr, *strokes_ = nullptr, *misses_ = nullptr,
           *best_ = nullptr;
    QLabel *trouble_ = nullptr;
};

} // namespace zem
