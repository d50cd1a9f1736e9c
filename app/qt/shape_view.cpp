#include "app/qt/shape_view.h"

#include "app/qt/design_look.h"

#include <QPainter>

#include <algorithm>

namespace zem {

ShapeView::ShapeView(QWidget *parent) : QWidget(parent) {}

void ShapeView::apply(const Control &c) {
    applyFrame(this, c);
    const QColor fill = toQColor(c.color);
    const QColor pen = toQColor(c.penColor);
    if (shape_ == c.shape && fill_ == fill && pen_ == pen && clearPen_ == c.clearPen)
        return;
    shape_ = c.shape;
    fill_ = fill;
    pen_ = pen;
    clearPen_ = c.clearPen;
    update();
}

void ShapeView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setBrush(fill_);
    // With a 1-px pen the outline runs along the outermost pixels; without
    // one the fill alone covers the same area.
    QRect r = rect();
    if (clearPen_) {
        p.setPen(Qt::NoPen);
    } else {
        p.setPen(QPen(pen_, 1));
        r.adjust(0, 0, -1, -1);
    }
    if (shape_ == ShapeKind::Ellipse) {
        p.drawEllipse(r);
    } else {
        // Corner ellipses a quarter of the shorter side, rounded down.
        const int corner = std::min(width(), height()) / 4;
        p.drawRoundedRect(r, corner / 2.0, corner / 2.0);
    }
}

} // namespace zem
