#pragma once

#include "app/qt/control_view.h"

#include <QWidget>

namespace zem {

// A box frame: sunken is dark along the top and left and light along the
// bottom and right, raised the other way round. Its inside stays see-through.
class BevelView final : public QWidget, public ControlView {
public:
    explicit BevelView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool sunken_ = true;
    int width_ = 1;
};

} // namespace zem
