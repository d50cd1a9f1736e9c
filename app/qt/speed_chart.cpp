#include "app/qt/speed_chart.h"

#include "app/qt/design_look.h"
#include "app/qt/history_texts.h"

#include <QDate>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace zem {

namespace {

constexpr double kDay = 86400;

// Where a game lies on the time axis: seconds of its own local clock, so a
// game at 23:50 sits on the day the player saw.
double localSeconds(const SpeedPoint &p) {
    return double(p.finishedAt.unixSeconds) + p.finishedAt.utcOffsetSeconds;
}

// 1, 2 or 5 times a power of ten, at least `raw`.
double niceStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

QString dateLabel(std::int64_t day) {
    const QDate date = QDate(1970, 1, 1).addDays(day);
    return QStringLiteral("%1/%2").arg(date.month()).arg(date.day());
}

// A tick of the time axis: the date at midnight, else the clock.
QString tickLabel(double seconds) {
    const auto at = std::int64_t(std::llround(seconds));
    const std::int64_t day = at / std::int64_t(kDay), ofDay = at % std::int64_t(kDay);
    if (ofDay == 0)
        return dateLabel(day);
    return QStringLiteral("%1:%2").arg(ofDay / 3600).arg(ofDay / 60 % 60, 2, 10, QLatin1Char('0'));
}

// The axes' ranges and the plot's rectangle, for mapping a game to a point.
struct Frame {
    QRectF plot;
    double from = 0, to = kDay; // the x axis, in local seconds; a tick at from
    double xStep = kDay;        // and every xStep after it
    double top = 100;           // the y axis runs from 0 to top
    double yStep = 20;

    QPointF at(double seconds, double speed) const {
        return {plot.left() + (seconds - from) / (to - from) * plot.width(),
                plot.bottom() - speed / top * plot.height()};
    }
};

// Over a day or more, whole days, each label given its room. Within a day
// the day would squeeze every game into a sliver: the axis covers only the
// hours played, in steps of the clock.
void fitTimeAxis(Frame &f, double first, double last, double labelWidth) {
    const double firstDay = std::floor(first / kDay);
    if (last - first >= kDay) {
        const double days = std::floor(last / kDay) + 1 - firstDay;
        f.xStep = 728 * kDay;
        for (double s : {1, 2, 7, 14, 28, 56, 91, 182, 364})
            if (days / s * labelWidth <= f.plot.width()) {
                f.xStep = s * kDay;
                break;
            }
        f.from = firstDay * kDay;
        f.to = f.from + days * kDay;
        return;
    }
    for (double minutes : {1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720}) {
        f.xStep = minutes * 60;
        f.from = std::floor(first / f.xStep) * f.xStep;
        f.to = std::max(std::ceil(last / f.xStep) * f.xStep, f.from + f.xStep);
        if (((f.to - f.from) / f.xStep + 1) * labelWidth <= f.plot.width())
            return;
    }
}

Frame frameFor(const std::vector<SpeedPoint> &points, const QRectF &plot, double labelWidth) {
    Frame f;
    f.plot = plot;
    double highest = 0;
    double first = localSeconds(points.front()), last = first;
    for (const SpeedPoint &p : points) {
        highest = std::max({highest, p.speed, p.bestSoFar});
        first = std::min(first, localSeconds(p));
        last = std::max(last, localSeconds(p));
    }
    fitTimeAxis(f, first, last, labelWidth);
    // Four to six grid lines, with room above the best.
    f.yStep = niceStep(std::max(highest * 1.1, 10.0) / 5);
    f.top = std::ceil(std::max(highest * 1.05, 1.0) / f.yStep) * f.yStep;
    return f;
}

// Room for the widest date or time, and a gap.
double tickLabelWidth() {
    const QFontMetricsF metrics(designFont(12));
    return std::max(metrics.horizontalAdvance(QStringLiteral("12/30")),
                    metrics.horizontalAdvance(QStringLiteral("23:30"))) +
           16;
}

const QColor kGrid(0xd8, 0xd2, 0xc4);
const QColor kAxis(0x60, 0x60, 0x60);

} // namespace

SpeedChart::SpeedChart(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpeedChart"));
    setAccessibleName(QStringLiteral("速度の推移"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setPoints({});
}

void SpeedChart::setPoints(std::vector<SpeedPoint> points) {
    points_ = std::move(points);
    const QString summary = speedSummary(points_);
    if (accessibleDescription() != summary)
        setAccessibleDescription(summary);
    update();
}

QRectF SpeedChart::plotRect() const {
    return QRectF(52, 34, width() - 52 - 18, height() - 34 - 30);
}

QPointF SpeedChart::positionOf(std::size_t game) const {
    const SpeedPoint &sp = points_.at(game);
    return frameFor(points_, plotRect(), tickLabelWidth()).at(localSeconds(sp), sp.speed);
}

void SpeedChart::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), toQColor(clCream));
    drawFrame3D(p, rect(), toQColor(clBtnShadow), toQColor(clBtnHighlight), 1);

    const QFont labelFont = designFont(12);
    const QFontMetricsF metrics(labelFont);
    p.setFont(designFont(14));
    p.setPen(toQColor(clNavy));
    p.drawText(QRectF(12, 6, width() - 24, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("速度の推移（打/分）"));

    const QRectF plot = plotRect();
    if (points_.empty()) {
        p.setPen(kAxis);
        p.drawText(plot, Qt::AlignCenter,
                   QStringLiteral("最後まで打ち終えたゲームは、まだありません"));
        return;
    }
    const double labelWidth = tickLabelWidth();
    const Frame f = frameFor(points_, plot, labelWidth);
    p.setFont(labelFont);

    // Speed grid and labels.
    for (double v = 0; v <= f.top + f.yStep / 2; v += f.yStep) {
        const double y = f.at(0, v).y();
        p.setPen(QPen(v == 0 ? kAxis : kGrid, 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(kAxis);
        p.drawText(QRectF(0, y - 8, plot.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v, 'g', 6));
    }

    // Dates, or within a day the clock.
    for (double t = f.from; t <= f.to + 0.5; t += f.xStep) {
        const double x = f.at(t, 0).x();
        p.setPen(QPen(kGrid, 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(kAxis);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        // The last label may overhang the plot: it stays inside the frame.
        QRectF label(x - labelWidth / 2, plot.bottom() + 5, labelWidth, 18);
        label.moveRight(std::min(label.right(), width() - 2.0));
        p.drawText(label, Qt::AlignCenter, tickLabel(t));
    }

    // The best so far: a step up at each game that raised it, on to the last game.
    QPainterPath best;
    best.moveTo(f.at(localSeconds(points_.front()), points_.front().bestSoFar));
    // Only a game that raised the best makes a corner: a long history is a
    // few steps, not a thousand segments for the stroker.
    for (std::size_t i = 1; i < points_.size(); ++i) {
        if (points_[i].bestSoFar == points_[i - 1].bestSoFar)
            continue;
        const double x = localSeconds(points_[i]);
        best.lineTo(f.at(x, points_[i - 1].bestSoFar));
        best.lineTo(f.at(x, points_[i].bestSoFar));
    }
    best.lineTo(f.at(localSeconds(points_.back()), points_.back().bestSoFar));
    p.setPen(QPen(toQColor(clNavy), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(best);

    // Every game; many games on one day must not hide each other entirely.
    QColor dot = toQColor(clBlue);
    dot.setAlphaF(points_.size() > 200 ? 0.45 : 0.8);
    // One dot drawn once at the screen's pixel ratio and stamped for each game:
    // a thousand antialiased ellipses cost more than the rest of the window.
    const qreal ratio = devicePixelRatioF();
    QPixmap stamp(QSize(8, 8) * ratio);
    stamp.setDevicePixelRatio(ratio);
    stamp.fill(Qt::transparent);
    {
        QPainter sp(&stamp);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(dot);
        sp.drawEllipse(QPointF(4, 4), 2.8, 2.8);
    }
    for (const SpeedPoint &sp : points_)
        p.drawPixmap(f.at(localSeconds(sp), sp.speed) - QPointF(4, 4), stamp);

    // Records on top of everything: a red diamond with a dark edge.
    p.setPen(QPen(QColor(0x80, 0, 0), 1));
    p.setBrush(toQColor(clRed));
    for (const SpeedPoint &sp : points_) {
        if (!sp.newRecord)
            continue;
        const QPointF c = f.at(localSeconds(sp), sp.speed);
        const double r = 5.5;
        p.drawPolygon(QPolygonF(
            {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
    }

    // The legend, top right, in the order of the marks' meaning.
    p.setFont(labelFont);
    double x = width() - 14;
    const double y = 16;
    auto legend = [&](const QString &text, auto drawMark) {
        const double w = metrics.horizontalAdvance(text);
        x -= w;
        p.setPen(kAxis);
        p.drawText(QPointF(x, y + metrics.ascent() / 2 - 1), text);
        x -= 20;
        drawMark(QPointF(x + 8, y));
        x -= 14;
    };
    legend(QStringLiteral("記録更新"), [&](QPointF c) {
        p.setPen(QPen(QColor(0x80, 0, 0), 1));
        p.setBrush(toQColor(clRed));
        p.drawPolygon(QPolygonF(
            {c + QPointF(0, -5), c + QPointF(5, 0), c + QPointF(0, 5), c + QPointF(-5, 0)}));
    });
    legend(QStringLiteral("その時点の最高"), [&](QPointF c) {
        p.setPen(QPen(toQColor(clNavy), 2));
        p.drawLine(c - QPointF(8, 0), c + QPointF(8, 0));
    });
    legend(QStringLiteral("1回ごと"), [&](QPointF c) {
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(c, 2.8, 2.8);
    });
}

} // namespace zem
