#pragma once

#include "app/qt/control_view.h"

#include <QProgressBar>

namespace zem {

// The bar of correct strokes, without a percentage text.
class ProgressBarView final : public QProgressBar, public ControlView {
public:
    explicit ProgressBarView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
