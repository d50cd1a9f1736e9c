#include "app/qt/history_window.h"

#include "app/qt/design_look.h"
#include "app/qt/error_box.h"
#include "app/qt/history_export.h"
#include "app/qt/history_texts.h"
#include "app/qt/key_heat_map.h"
#include "app/qt/speed_chart.h"
#include "history/history_writer.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <chrono>
#include <memory>
#include <utility>

namespace zem {

namespace {

// Enough for a window that opens as fast on a hundred thousand games as on ten.
constexpr int kChartGames = 1000;
constexpr int kTroubleRows = 5;
constexpr int kCourses = 20;
constexpr int kOpenWaitMs = 500;

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

// Rows of a trouble list, in two columns; a reader gets the same in one line.
void showRows(QLabel *list, const QString &title, const std::vector<QStringList> &rows) {
    if (rows.empty()) {
        list->setText(QStringLiteral("ミスはまだありません"));
        list->setAccessibleName(title + QStringLiteral("：ミスはまだありません"));
        return;
    }
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=1>");
    QStringList spoken;
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr><td>%1</td><td align=right>&nbsp;&nbsp;&nbsp;%2</td></tr>")
                    .arg(row[0].toHtmlEscaped(), row[1].toHtmlEscaped());
        spoken << row[0] + QLatin1Char(' ') + row[1];
    }
    list->setText(html + QStringLiteral("</table>"));
    list->setAccessibleName(title + QStringLiteral("：") + spoken.join(QStringLiteral("、")));
}

// Read on the reader's thread: a store of its own, let go as soon as read,
// so that the history's lock is never held while the window is only shown.
HistoryView readView(const std::string &path, HistoryWriter *writer, GameMode m, int c) {
    // The game just finished is on its way to the disk; a moment's wait lets
    // it show, and a slow disk only leaves it out.
    if (writer)
        writer->waitIdle(std::chrono::milliseconds(kOpenWaitMs));
    HistoryView view;
    if (path.empty()) {
        view.state.detail =
            "HOME も XDG_DATA_HOME も設定されていないので、成績の置き場所がありません";
        return view;
    }
    // A history another copy holds locked is waited for half a second, not
    // the store's three; the window then says so.
    HistoryStore store(path, HistoryStore::Role::Reader,
                       HistoryStore::Options{.busyTimeoutMs = kOpenWaitMs});
    view.totals = store.totals(m, c);
    view.speeds = store.speeds(m, c, kChartGames);
    view.keys = store.keyRates(m, c);
    view.confusions = store.topConfusions(m, c, kTroubleRows);
    view.syllables = store.topSyllables(m, c, kTroubleRows);
    view.state = store.state(); // after the reading, which may meet damage
    return view;
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
    keys->addWidget(heading(QStringLiteral("キーごとのミス率"), this));
    heatMap_ = new KeyHeatMap(this);
    keys->addWidget(heatMap_);
    middle->addLayout(keys);
    middle->addWidget(createTroubleSpots(), 1);
    layout->addLayout(middle);

    layout->addWidget(createTotals());

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

    row->addWidget(new QLabel(QStringLiteral("出題モード"), bar));
    modes_ = new QButtonGroup(bar);
    const std::pair<GameMode, QString> modes[] = {{GameMode::Word, QStringLiteral("単語")},
                                                  {GameMode::Proverb, QStringLiteral("ことわざ")}};
    for (const auto &[mode, text] : modes) {
        auto *radio = new QRadioButton(text, bar);
        radio->setObjectName(mode == GameMode::Word ? QStringLiteral("HistoryWord")
                                                    : QStringLiteral("HistoryProverb"));
        modes_->addButton(radio, int(mode));
        row->addWidget(radio);
    }
    modes_->button(int(GameMode::Word))->setChecked(true);
    connect(modes_, &QButtonGroup::idClicked, this, [this] { refresh(); });

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
    column->addStretch(1);
    return box;
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

GameMode HistoryWindow::mode() const {
    return modes_->checkedId() == int(GameMode::Proverb) ? GameMode::Proverb : GameMode::Word;
}

int HistoryWindow::course() const {
    return course_->currentData().toInt();
}

void HistoryWindow::showFor(GameMode mode, int course) {
    modes_->button(int(mode))->setChecked(true);
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
    reader_ = std::thread([this, path = path_, writer = writer_, m = mode(), c = course()] {
        auto view = std::make_shared<HistoryView>(readView(path, writer, m, c));
        QMetaObject::invokeMethod(
            this, [this, view] { showView(*view); }, Qt::QueuedConnection);
    });
}

void HistoryWindow::showView(const HistoryView &view) {
    reading_ = false;
    if (std::exchange(readAgain_, false))
        refresh();
    const HistoryTotals &totals = view.totals;
    chart_->setPoints(view.speeds);
    heatMap_->setRates(view.keys);

    std::vector<QStringList> rows;
    for (const SyllableTotal &s : view.syllables)
        rows.push_back({QString::fromStdString(s.syllable), QStringLiteral("%1回").arg(s.count)});
    showRows(syllables_, QStringLiteral("ミスの多い音"), rows);
    rows.clear();
    for (const ConfusionTotal &t : view.confusions)
        rows.push_back({typedByteText(static_cast<unsigned char>(t.expected)) +
                            QStringLiteral(" → ") + typedByteText(t.typed),
                        QStringLiteral("%1回").arg(t.count)});
    showRows(confusions_, QStringLiteral("打ち間違い"), rows);

    const QLocale locale(QLocale::Japanese);
    games_->setText(QStringLiteral("ゲーム %1回").arg(totals.games));
    time_->setText(QStringLiteral("練習時間 ") + practiceTimeText(totals.seconds));
    strokes_->setText(QStringLiteral("打鍵 %1打").arg(locale.toString(qlonglong(totals.strokes))));
    misses_->setText(QStringLiteral("ミス %1打").arg(locale.toString(qlonglong(totals.misses))));
    best_->setText(QStringLiteral("最高 ") +
                   (totals.best > 0 ? speedText(totals.best) : QStringLiteral("—")));

    HistoryWriter::Report report;
    if (writer_)
        report = writer_->report();
    const QString trouble = historyTrouble(view.state, writer_ ? &report : nullptr);
    trouble_->setText(trouble);
    trouble_->setVisible(!trouble.isEmpty());
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
