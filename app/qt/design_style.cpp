#include "app/qt/design_style.h"

#include "app/qt/design_look.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionProgressBar>

#include <algorithm>

namespace zem {

namespace {

void drawPlainBar(const QStyleOptionProgressBar &bar, QPainter &p) {
    drawFrame3D(p, bar.rect, toQColor(clBtnShadow), toQColor(clBtnHighlight), 1);
    const QRect inside = bar.rect.adjusted(1, 1, -1, -1);
    p.fillRect(inside, bar.palette.color(QPalette::Base));
    const long long span = (long long)bar.maximum - bar.minimum;
    if (span <= 0)
        return;
    const long long done = std::clamp((long long)bar.progress - bar.minimum, 0LL, span);
    const int filled = int(inside.width() * done / span);
    p.fillRect(QRect(inside.topLeft(), QSize(filled, inside.height())),
               bar.palette.color(QPalette::Highlight));
}

} // namespace

DesignStyle::DesignStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int DesignStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                             const QWidget *widget) const {
    switch (metric) {
    case PM_ProgressBarChunkWidth:
        return 1;
    case PM_RadioButtonLabelSpacing:
        return 3;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void DesignStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const {
    const auto *bar = qstyleoption_cast<const QStyleOptionProgressBar *>(option);
    if (element == CE_ProgressBar && bar)
        drawPlainBar(*bar, *painter);
    else
        QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace zem
