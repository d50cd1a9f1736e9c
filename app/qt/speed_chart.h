#pragma once

#include "history/history_store.h"

#include <QWidget>

#include <vector>

namespace zem {

// Speed over time: each completed game a point at its date (within a day, at
// its time), the best so far as a line, new records marked. Painted afresh
// in logical coordinates at every paint, so it stays crisp at any
// device-pixel ratio.
class SpeedChart final : public QWidget {
    Q_OBJECT

public:
    explicit SpeedChart(QWidget *parent = nullptr);

    // Oldest first. Also tells screen readers the latest, the best and the trend.
    void setPoints(std::vector<SpeedPoint> points);
    const std::vector<SpeedPoint> &points() const { return points_; }
    // Where the game at `game` in points() is drawn, and the rectangle the
    // axes frame, in the widget's coordinates.
    QPointF positionOf(std::size_t game) const;
    QRectF plotRect() const;

    QSize sizeHint() const override { return {720, 250}; }
    QSize minimumSizeHint() const override { return {360, 180}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<SpeedPoint> points_;
};

} // namespace zem
