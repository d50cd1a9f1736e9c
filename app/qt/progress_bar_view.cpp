#include "app/qt/progress_bar_view.h"

namespace zem {

ProgressBarView::ProgressBarView(QWidget *parent) : QProgressBar(parent) {
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
