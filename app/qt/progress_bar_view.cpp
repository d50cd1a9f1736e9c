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
    if (value() == c.position)
        return;
    // QProgressBar paints a new value at once, in a flush of its own; with
    // updates held back the bar is painted with the other changes of the key.
    setUpdatesEnabled(false);
    setValue(c.position);
    setUpdatesEnabled(true);
}

} // namespace zem
