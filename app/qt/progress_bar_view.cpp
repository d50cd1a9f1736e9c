#include "app/qt/progress_bar_view.h"

#include "app/qt/design_look.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionProgressBar>

#include <algorithm>

namespace zem {

namespace {

// The application's style, except for how a progress bar is drawn.
class PlainBarStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_ProgressBarChunkWidth)
            return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *p,
                     const QWidget *widget) const override {
        const auto *bar = qstyleoption_cast<const QStyleOptionProgressBar *>(option);
        if (element != CE_ProgressBar || !bar) {
            QProxyStyle::drawControl(element, option, p, widget);
            return;
        }
        drawFrame3D(*p, bar->rect, toQColor(clBtnShadow), toQColor(clBtnHighlight), 1);
        const QRect inside = bar->rect.adjusted(1, 1, -1, -1);
        p->fillRect(inside, bar->palette.color(QPalette::Base));
        const long long span = (long long)bar->maximum - bar->minimum;
        if (span <= 0)
            return;
        const long long done = std::clamp((long long)bar->progress - bar->minimum, 0LL, span);
        const int filled = int(inside.width() * done / span);
        p->fillRect(QRect(inside.topLeft(), QSize(filled, inside.height())),
                    bar->palette.color(QPalette::Highlight));
    }
};

QStyle *plainBarStyle() {
    // Lives as long as the application; widgets do not own their style.
    static QPointer<QStyle> style;
    if (!style) {
        style = new PlainBarStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

ProgressBarView::ProgressBarView(QWidget *parent) : QProgressBar(parent) {
    setStyle(plainBarStyle());
    setTextVisible(false);
    setFocusPolicy(Qt::NoFocus);
    // It covers Bevel1 and the window's surface entirely, so they need no
    // repaint when the bar grows.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressBarView::apply(const Control &c) {
    applyFrame(this, c);
    if (minimum() != c.minimum || maximum() != c.maximum)
        setRange(c.minimum, c.maximum);
    if (value() != c.position)
        setValue(c.position);
}

} // namespace zem
