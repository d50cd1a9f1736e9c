#pragma once

#include "app/qt/control_view.h"

#include <QWidget>

namespace zem {

// A filled figure (rounded rectangle or ellipse) covering its whole
// rectangle, outlined with a 1-px pen unless the pen is clear.
class ShapeView final : public QWidget, public ControlView {
public:
    explicit ShapeView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ShapeKind shape_ = ShapeKind::RoundRect;
    QColor fill_;
    QColor pen_;
    bool clearPen_ = false;
};

} // namespace zem
