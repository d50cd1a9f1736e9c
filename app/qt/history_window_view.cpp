#include "app/lesson_progress.h"
#include "app/qt/history_texts.h"
#include "app/qt/history_window.h"
#include "app/qt/key_heat_map.h"
#include "app/qt/speed_chart.h"
#include "game/lesson_steps.h"
#include "history/history_writer.h"
#include "kana/table_romaji.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace zem {

namespace {

// Rows of a list in columns, the first to the left and the others to the
// right; a reader gets the same in one line.
void showRows(QLabel *list, const QString &title, const std::vector<QStringList> &rows) {
    if (rows.empty()) {
        list->setText(QStringLiteral("ミスはまだありません"));
        list->setAccessibleName(title + QStringLiteral("：ミスはまだありません"));
        return;
    }
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=1>");
    QStringList spoken;
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr><td>%1</td>").arg(row[0].toHtmlEscaped());
        for (qsizetype i = 1; i < row.size(); ++i)
            html += QStringLiteral("<td align=right>&nbsp;&nbsp;&nbsp;%1</td>")
                        .arg(row[i].toHtmlEscaped());
        html += QStringLiteral("</tr>");
        QStringList said = row;
        said.removeAll(QString());
        spoken << said.join(QLatin1Char(' '));
    }
    list->setText(html + QStringLiteral("</table>"));
    list->setAccessibleName(title + QStringLiteral("：") + spoken.join(QStringLiteral("、")));
}

// A kana with the table's letters, as the player sees them on the romaji
// line but lower-case: "し si".
QString kanaName(const std::string &kana) {
    std::string romaji;
    if (!tableRomaji(kana, romaji))
        return QString::fromStdString(kana);
    std::transform(romaji.begin(), romaji.end(), romaji.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return QString::fromStdString(kana + " " + romaji);
}

QString rateText(const KanaTotal &total) {
    const std::int64_t seen = total.hits + total.misses;
    if (seen == 0)
        return QStringLiteral("—");
    return QString::number(100.0 * double(total.misses) / double(seen), 'f', 1) + QLatin1Char('%');
}

} // namespace

// The two modes, then each list that has games, by name; the one shown
// stays chosen.
void HistoryWindow::showSources(const std::vector<std::string> &lists) {
    const HistorySource shown = sourceItems_.empty() ? HistorySource() : source();
    std::vector<HistorySource> items{GameMode::Word, GameMode::Proverb};
    for (const std::string &list : lists)
        items.push_back(HistorySource::ofList(list));
    if (std::find(items.begin(), items.end(), shown) == items.end())
        items.push_back(shown);
    if (items == sourceItems_)
        return;
    const QSignalBlocker quiet(sources_);
    sources_->clear();
    for (const HistorySource &item : items)
        sources_->addItem(item.list.empty()
                              ? (item.mode == GameMode::Word ? QStringLiteral("単語")
                                                             : QStringLiteral("ことわざ"))
                              : QString::fromStdString(item.list));
    sourceItems_ = std::move(items);
    sources_->setCurrentIndex(
        int(std::find(sourceItems_.begin(), sourceItems_.end(), shown) - sourceItems_.begin()));
}

// By kana where the games counted kana, else by the romaji syllables older
// games were counted in.
void HistoryWindow::showTroubleSpots(const HistoryView &view) {
    std::vector<QStringList> rows;
    for (const KanaTotal &k : view.kana)
        if (k.misses > 0)
            rows.push_back({kanaName(k.kana), QStringLiteral("%1回").arg(k.misses)});
    if (view.kana.empty())
        for (const SyllableTotal &s : view.syllables)
            rows.push_back(
                {QString::fromStdString(s.syllable), QStringLiteral("%1回").arg(s.count)});
    showRows(syllables_, QStringLiteral("ミスの多い音"), rows);
    rows.clear();
    for (const ConfusionTotal &t : view.confusions)
        rows.push_back({typedByteText(static_cast<unsigned char>(t.expected)) +
                            QStringLiteral(" → ") + typedByteText(t.typed),
                        QStringLiteral("%1回").arg(t.count)});
    showRows(confusions_, QStringLiteral("打ち間違い"), rows);
}

// Only once there was a practice game: before it, there is nothing to compare.
void HistoryWindow::showProgress(const PracticeProgress &progress) {
    progressBox_->setVisible(progress.practised);
    if (!progress.practised)
        return;
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < progress.before.size() && i < progress.since.size(); ++i)
        rows.push_back(
            {kanaName(progress.before[i].kana),
             rateText(progress.before[i]) + QStringLiteral(" → ") + rateText(progress.since[i])});
    showRows(progress_, QStringLiteral("練習の前 → 後のミス率"), rows);
}

// Every step once one was played: its best accuracy and speed, and 合格
// once a game of it met both marks.
void HistoryWindow::showLessons(const std::vector<LessonGame> &games) {
    lessonsBox_->setVisible(!games.empty());
    if (games.empty())
        return;
    std::vector<QStringList> rows;
    for (const StepProgress &p : lessonProgress(games)) {
        const LessonStep &step = *lessonStep(p.step);
        rows.push_back({QStringLiteral("%1 %2").arg(p.step).arg(
                            QString::fromUtf8(step.name.data(), qsizetype(step.name.size()))),
                        p.games ? QStringLiteral("%1%").arg(p.bestAccuracy) : QStringLiteral("—"),
                        p.games ? speedText(p.bestSpeed) : QStringLiteral("—"),
                        p.passed ? QStringLiteral("合格") : QString()});
    }
    showRows(lessons_, QStringLiteral("ステップ練習"), rows);
    // The window grows to show every step the first time; it never shrinks
    // under the player's hand.
    layout()->activate();
    resize(size().expandedTo(sizeHint()));
}

void HistoryWindow::showView(const HistoryView &view) {
    reading_ = false;
    if (std::exchange(readAgain_, false))
        refresh();
    showSources(view.lists);
    const HistoryTotals &totals = view.totals;
    chart_->setPoints(view.speeds);
    heatMap_->setRates(view.keys);
    showTroubleSpots(view);
    showProgress(view.progress);
    showLessons(view.lessons);

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

void HistoryWindow::offerPractice(bool enabled, const QString &tip, const QString &why) {
    practice_->show();
    practice_->setEnabled(enabled);
    practice_->setToolTip(tip);
    practiceStatus_->setText(why);
    practiceStatus_->setVisible(!why.isEmpty());
}

} // namespace zem
