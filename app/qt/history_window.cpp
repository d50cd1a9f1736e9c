#include "app/qt/history_window.h"

#include "app/qt/design_look.h"
#include "app/qt/error_box.h"
#include "app/qt/history_export.h"
#include "app/qt/history_texts.h"
#include "app/qt/key_heat_map.h"
#include "app/qt/speed_chart.h"
#include "history/history_writer.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

namespace zem {

namespace {

constexpr int kCourses = 20;

QLabel *heading(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setFont(designFont(15));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, toQColor(clNavy));
    label->setPalette(p);
    return label;
}

// A figure in a sunken box, like the game's counters.
QLabel *figure(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    label->setMargin(4);
    label->setFont(designFont(15));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

HistoryWindow::HistoryWindow(std::string path, HistoryWriter *writer, QWidget *parent)
    : QWidget(parent, Qt::Window), path_(std::move(path)), writer_(writer) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("成績 - タイピングZem"));
    setFont(designFont(14));
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(clMenu));
    setPalette(p);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(createSelectors());

    chart_ = new SpeedChart(this);
    layout->addWidget(chart_, 1);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(18);
    auto *keys = new QVBoxLayout;
    keys->setSpacing(4);
    QLabel *keysCaption = heading(QStringLiteral("キーごとのミス率"), this);
    keysCaption->setObjectName(QStringLiteral("HistoryKeysCaption"));
    keys->addWidget(keysCaption);
    heatMap_ = new KeyHeatMap(this);
    keys->addWidget(heatMap_);
    // When the lists beside grow taller than the map, the room left goes
    // below it: the caption stays on the map.
    keys->addStretch(1);
    middle->addLayout(keys);
    middle->addWidget(createTroubleSpots(), 1);
    middle->addWidget(createLessons());
    layout->addLayout(middle);

    layout->addWidget(createTotals());

    practiceStatus_ = new QLabel(this);
    practiceStatus_->setObjectName(QStringLiteral("HistoryPracticeStatus"));
    practiceStatus_->setTextFormat(Qt::PlainText);
    practiceStatus_->setWordWrap(true);
    practiceStatus_->hide();
    layout->addWidget(practiceStatus_);

    trouble_ = new QLabel(this);
    trouble_->setObjectName(QStringLiteral("HistoryTrouble"));
    trouble_->setTextFormat(Qt::PlainText);
    trouble_->setWordWrap(true);
    QPalette red = trouble_->palette();
    red.setColor(QPalette::WindowText, toQColor(clRed));
    trouble_->setPalette(red);
    trouble_->hide();
    layout->addWidget(trouble_);
}

HistoryWindow::~HistoryWindow() {
    for (std::thread *t : {&reader_, &exporter_})
        if (t->joinable())
            t->join();
}

QWidget *HistoryWindow::createSelectors() {
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    auto *sourceLabel = new QLabel(QStringLiteral("出題"), bar);
    row->addWidget(sourceLabel);
    sources_ = new QComboBox(bar);
    sources_->setObjectName(QStringLiteral("HistorySource"));
    sources_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    sourceLabel->setBuddy(sources_);
    showSources({});
    connect(sources_, &QComboBox::activated, this, [this] { refresh(); });
    row->addWidget(sources_);

    row->addSpacing(16);
    auto *courseLabel = new QLabel(QStringLiteral("コース"), bar);
    row->addWidget(courseLabel);
    course_ = new QComboBox(bar);
    course_->setObjectName(QStringLiteral("HistoryCourse"));
    for (int i = 1; i <= kCourses; ++i)
        course_->addItem(QStringLiteral("%1打").arg(i * 100), i * 100);
    courseLabel->setBuddy(course_);
    connect(course_, &QComboBox::activated, this, [this] { refresh(); });
    row->addWidget(course_);

    row->addStretch(1);
    export_ = new QPushButton(QStringLiteral("CSVに書き出す…"), bar);
    export_->setObjectName(QStringLiteral("HistoryExport"));
    connect(export_, &QPushButton::clicked, this, [this] { exportCsv(); });
    row->addWidget(export_);
    // Only where a game runs beside the window.
    practice_ = new QPushButton(QStringLiteral("苦手を練習"), bar);
    practice_->setObjectName(QStringLiteral("HistoryPractice"));
    practice_->hide();
    connect(practice_, &QPushButton::clicked, this, [this] { emit practiceAsked(); });
    row->addWidget(practice_);
    return bar;
}

QWidget *HistoryWindow::createTroubleSpots() {
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(heading(QStringLiteral("ミスの多い音"), box));
    syllables_ = new QLabel(box);
    syllables_->setObjectName(QStringLiteral("HistorySyllables"));
    column->addWidget(syllables_);
    column->addSpacing(8);
    column->addWidget(heading(QStringLiteral("打ち間違い（正 → 誤）"), box));
    confusions_ = new QLabel(box);
    confusions_->setObjectName(QStringLiteral("HistoryConfusions"));
    column->addWidget(confusions_);
    progressBox_ = new QWidget(box);
    auto *progress = new QVBoxLayout(progressBox_);
    progress->setContentsMargins(0, 8, 0, 0);
    progress->setSpacing(4);
    progress->addWidget(heading(QStringLiteral("練習の前 → 後のミス率"), progressBox_));
    progress_ = new QLabel(progressBox_);
    progress_->setObjectName(QStringLiteral("HistoryProgress"));
    progress->addWidget(progress_);
    progressBox_->hide();
    column->addWidget(progressBox_);
    column->addStretch(1);
    return box;
}

QWidget *HistoryWindow::createLessons() {
    lessonsBox_ = new QWidget(this);
    auto *column = new QVBoxLayout(lessonsBox_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(heading(QStringLiteral("ステップ練習（正確さ・速さの最高）"), lessonsBox_));
    lessons_ = new QLabel(lessonsBox_);
    lessons_->setObjectName(QStringLiteral("HistoryLessons"));
    column->addWidget(lessons_);
    column->addStretch(1);
    lessonsBox_->hide();
    return lessonsBox_;
}

QWidget *HistoryWindow::createTotals() {
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (QLabel **label : {&games_, &time_, &strokes_, &misses_, &best_}) {
        *label = figure(box);
        row->addWidget(*label, 1);
    }
    games_->setObjectName(QStringLiteral("HistoryGames"));
    time_->setObjectName(QStringLiteral("HistoryTime"));
    strokes_->setObjectName(QStringLiteral("HistoryStrokes"));
    misses_->setObjectName(QStringLiteral("HistoryMisses"));
    best_->setObjectName(QStringLiteral("HistoryBest"));
    return box;
}

const HistorySource &HistoryWindow::source() const {
    return sourceItems_[std::size_t(std::max(0, sources_->currentIndex()))];
}

int HistoryWindow::course() const {
    return course_->currentData().toInt();
}

void HistoryWindow::showFor(const HistorySource &source, int course) {
    const auto at = std::find(sourceItems_.begin(), sourceItems_.end(), source);
    if (at == sourceItems_.end()) {
        // A list with no game yet: offered until the history says otherwise.
        sourceItems_.push_back(source);
        sources_->addItem(QString::fromStdString(source.list));
    }
    sources_->setCurrentIndex(
        int(std::find(sourceItems_.begin(), sourceItems_.end(), source) - sourceItems_.begin()));
    const int index = course_->findData(course);
    if (index >= 0)
        course_->setCurrentIndex(index);
    refresh();
    show();
    raise();
    activateWindow();
}

// Anew for each view: the history may have been written, damaged or
// repaired since the last look. A view asked for while one is read is read
// when that one is in.
void HistoryWindow::refresh() {
    if (reading_) {
        readAgain_ = true;
        return;
    }
    if (reader_.joinable())
        reader_.join(); // done: its view came back
    reading_ = true;
    reader_ = std::thread([this, path = path_, writer = writer_, m = source(), c = course()] {
        // The game just finished is on its way to the disk; a moment's wait
        // lets it show, and a slow disk only leaves it out.
        if (writer)
            writer->waitIdle(std::chrono::milliseconds(kHistoryViewWaitMs));
        auto view = std::make_shared<HistoryView>(readHistoryView(path, m, c));
        QMetaObject::invokeMethod(
            this, [this, view] { showView(*view); }, Qt::QueuedConnection);
    });
}

void HistoryWindow::exportCsv() {
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("CSVに書き出す"), QDir::home().filePath(QStringLiteral("history.csv")),
        QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty() || exporting_)
        return;
    if (exporter_.joinable())
        exporter_.join();
    exporting_ = true;
    export_->setEnabled(false);
    exporter_ = std::thread([this, path = path_, to = QFile::encodeName(file).toStdString()] {
        const std::string why = exportHistoryCsv(path, to);
        QMetaObject::invokeMethod(
            this, [this, why] { exported(why); }, Qt::QueuedConnection);
    });
}

void HistoryWindow::exported(const std::string &why) {
    exporting_ = false;
    export_->setEnabled(true);
    if (!why.empty())
        showErrorBox(this, windowTitle(), why);
}

} // namespace zem
