#pragma once

#include "app/qt/control_view.h"

#include <QProgressBar>

namespace zem {

// The bar of correct strokes, without a percentage text. It grows with
// nearly every keystroke of a short course, so it is drawn plainly (a sunken
// frame and a solid run, repainted whenever it grows by a pixel) instead of
// in the style's gradients, which cost more than the rest of a keystroke.
class ProgressBarView final : public QProgressBar, public ControlView {
public:
    explicit ProgressBarView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
