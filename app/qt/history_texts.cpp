#include "app/qt/history_texts.h"

#include "model/speed_text.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include <numeric>
#include <utility>

namespace zem {

namespace {

// The mean speed of points [from, to).
double meanSpeed(const std::vector<SpeedPoint> &points, std::size_t from, std::size_t to) {
    const double sum =
        std::accumulate(points.begin() + std::ptrdiff_t(from), points.begin() + std::ptrdiff_t(to),
                        0.0, [](double s, const SpeedPoint &p) { return s + p.speed; });
    return sum / double(to - from);
}

// Within 3 % either way a player cannot tell a change from a good or bad day.
QString trendText(const std::vector<SpeedPoint> &points) {
    const std::size_t n = points.size();
    if (n < 4)
        return QStringLiteral("傾向を言うには、まだ回数が足りません。");
    const std::size_t k = std::min<std::size_t>(5, n / 2);
    const double recent = meanSpeed(points, n - k, n);
    const double before = meanSpeed(points, n - 2 * k, n - k);
    const double change = before > 0 ? (recent - before) / before * 100 : 0;
    const QString span =
        QStringLiteral("直近%1回の平均は%2で、その前の%1回より").arg(k).arg(speedText(recent));
    if (change >= 3)
        return span + QStringLiteral("%1%速く、上向きです。").arg(qRound(change));
    if (change <= -3)
        return span + QStringLiteral("%1%遅く、下向きです。").arg(qRound(-change));
    return span + QStringLiteral("ほぼ同じで、横ばいです。");
}

// SQLite's and the system's words for the usual reasons, in the window's.
QString reasonText(const std::string &why) {
    const QString w = QString::fromStdString(why).toLower();
    if (w.contains(QLatin1String("readonly")) || w.contains(QLatin1String("read-only")) ||
        w.contains(QLatin1String("permission")))
        return QStringLiteral("読み取り専用です");
    if (w.contains(QLatin1String("full")) || w.contains(QLatin1String("no space")))
        return QStringLiteral("ディスクがいっぱいです");
    if (w.contains(QLatin1String("locked")) || w.contains(QLatin1String("busy")))
        return QStringLiteral("ほかのプログラムが使っていて、ロックされています");
    if (w.contains(QLatin1String("being repaired")))
        return QStringLiteral("ほかのプログラムが直しているところです");
    if (w.contains(QLatin1String("open in another program")))
        return QStringLiteral("壊れていて、ほかのプログラムが開いているので、まだ直せません");
    if (w.contains(QLatin1String("malformed")) || w.contains(QLatin1String("not a database")))
        return QStringLiteral("中身が読めません");
    return QString::fromStdString(why);
}

QString fileName(const std::string &path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

} // namespace

QString missRateText(const KeyRate &rate) {
    const std::int64_t expected = rate.hits + rate.misses;
    if (expected == 0)
        return QStringLiteral("—");
    return QString::number(double(rate.misses) * 100.0 / double(expected), 'f', 1) +
           QLatin1Char('%');
}

QString typedByteText(unsigned char typed) {
    static constexpr std::pair<unsigned char, const char *> kNamed[] = {
        {'\b', "BS"}, {'\t', "Tab"}, {'\r', "Enter"}, {0x1b, "Esc"}, {' ', "Space"}};
    for (const auto &[byte, name] : kNamed)
        if (typed == byte)
            return QLatin1String(name);
    // What the window receives for Ctrl and a letter.
    if (typed >= 0x01 && typed <= 0x1a)
        return QStringLiteral("Ctrl+") + QChar(typed - 1 + 'A');
    if (typed >= 'a' && typed <= 'z')
        return QString(QChar(typed - 'a' + 'A'));
    if (typed > ' ' && typed < 0x7f)
        return QString(QChar(typed));
    return QStringLiteral("0x%1").arg(typed, 2, 16, QLatin1Char('0'));
}

QString practiceTimeText(std::int64_t seconds) {
    if (seconds >= 3600)
        return QStringLiteral("%1時間%2分").arg(seconds / 3600).arg(seconds / 60 % 60);
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60);
}

QString speedText(double speed) {
    return QString::fromStdString(SpeedText(speed)) + QStringLiteral("打/分");
}

QString speedSummary(const std::vector<SpeedPoint> &points) {
    if (points.empty())
        return QStringLiteral("最後まで打ち終えたゲームは、まだありません。");
    double best = points.back().bestSoFar;
    for (const SpeedPoint &p : points)
        best = std::max(best, p.speed);
    return QStringLiteral("打ち終えたゲーム%1回。最新は%2、最高は%3。")
               .arg(points.size())
               .arg(speedText(points.back().speed), speedText(best)) +
           trendText(points);
}

namespace {

// What a store found, when it is something to tell; `writes` when the
// game runs in this process and its games go to this history.
QString stateText(const HistoryState &state, bool writes) {
    using Kind = HistoryState::Kind;
    switch (state.kind) {
    case Kind::Ready:
    case Kind::Missing:
        return {};
    case Kind::Newer:
        return QStringLiteral(
            "この成績は新しい版のタイピングZemで作られたものです。読むことはできますが、"
            "この版では書き込みません。");
    case Kind::Older:
        return QStringLiteral(
            "この成績は古い版のタイピングZemのものです。次のゲームを記録するときに"
            "新しい形に直します。");
    case Kind::Damaged:
        return QStringLiteral("成績のファイルが壊れています（%1）。次のゲームを記録するときに直し、"
                              "直せなければ読めるゲームを新しい成績に移します。")
            .arg(reasonText(state.detail));
    case Kind::Locked:
        return QStringLiteral("成績のファイルは、ほかのプログラムが使っていて読めません。"
                              "閉じてから開き直してください。");
    case Kind::TooOld:
        return QStringLiteral("SQLite が古いため、成績を使えません（%1）。")
            .arg(QString::fromStdString(state.detail));
    case Kind::ReadOnly:
        return writes
                   ? QStringLiteral("成績のファイルに書き込めません（読み取り専用です）。"
                                    "これからのゲームは、書き込めるようになるまで控えておきます。")
                   : QStringLiteral("成績のファイルは読み取り専用です。読むことはできますが、"
                                    "ゲームは記録されません。");
    case Kind::Unavailable:
        break;
    }
    return QStringLiteral("成績を開けません（%1）。").arg(reasonText(state.detail));
}

} // namespace

QString historyTrouble(const HistoryState &store, const HistoryWriter::Report *report) {
    QStringList lines;
    for (const HistoryState *found : {&store, report ? &report->state : nullptr})
        if (found && !found->setAside.empty()) {
            QString line =
                QStringLiteral(
                    "成績のファイルが壊れていたので %1 として残し、新しい成績を始めました。")
                    .arg(fileName(found->setAside));
            if (found->carried > 0)
                line += QStringLiteral("読めた%1回分のゲームは新しい成績に移しました。")
                            .arg(found->carried);
            lines << line;
            break;
        }
    const bool unwritten = report && report->pending > 0 && !report->lastError.empty();
    if (unwritten && report->state.kind == HistoryState::Kind::Newer) {
        lines << stateText(report->state, true);
    } else if (unwritten) {
        lines << QStringLiteral(
                     "成績を書き込めません（%1）。まだ書き込んでいない%2回分のゲームは、")
                         .arg(reasonText(report->lastError))
                         .arg(report->pending) +
                     (report->inMemory > 0
                          ? QStringLiteral("書き込めるようになるまでメモリーに置いています"
                                           "（このまま終了すると失われます）。")
                          : QStringLiteral("ディスクに控えてあり、書き込めるようになりしだい"
                                           "書き込みます。"));
    }
    // A history that takes no write says no more than the games waiting for it.
    const QString found = unwritten && store.kind == HistoryState::Kind::ReadOnly
                              ? QString()
                              : stateText(store, report != nullptr);
    if (!found.isEmpty() && !lines.contains(found))
        lines << found;
    return lines.join(QLatin1Char('\n'));
}

} // namespace zem
