#pragma once

#include "app/qt/control_view.h"

#include <QProgressBar>

namespace zem {

// The bar of correct strokes, without a percentage text; DesignStyle draws
// it plainly, since it grows with nearly every keystroke of a short course.
class ProgressBarView final : public QProgressBar, public ControlView {
public:
    explicit ProgressBarView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
