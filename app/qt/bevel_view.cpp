#include "app/qt/bevel_view.h"

#include "app/qt/design_look.h"

#include <QPainter>

namespace zem {

BevelView::BevelView(QWidget *parent) : QWidget(parent) {}

void BevelView::apply(const Control &c) {
    applyFrame(this, c);
    const bool sunken = c.bevel == BevelKind::Lowered;
    if (sunken_ != sunken || width_ != c.bevelWidth) {
        sunken_ = sunken;
        width_ = c.bevelWidth;
        update();
    }
}

void BevelView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QColor dark = toQColor(clBtnShadow), light = toQColor(clBtnHighlight);
    drawFrame3D(p, rect(), sunken_ ? dark : light, sunken_ ? light : dark, width_);
}

} // namespace zem
