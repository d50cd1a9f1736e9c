#include "app/qt/progress_bar_view.h"

namespace zem {

ProgressBarView::ProgressBarView(QWidget *parent) : QProgressBar(parent) {
    setTextVisible(false);
    setFocusPolicy(Qt::NoFocus);
}

void ProgressBarView::apply(const Control &c) {
    applyFrame(this, c);
    if (minimum() != c.minimum || maximum() != c.maximum)
        setRange(c.minimum, c.maximum);
    if (value() != c.position)
        setValue(c.position);
}

} // namespace zem
