#pragma once

#include "app/qt/control_view.h"

#include <QLabel>

namespace zem {

// A design label: text at the top, left- or right-aligned within the size
// the model measured; the rectangle filled with its background colour, except
// for clNone, which leaves whatever lies below visible.
class LabelView final : public QLabel, public ControlView {
public:
    explicit LabelView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

private:
    Color background_ = clNone - 1;
    Color textColor_ = clNone - 1;
};

} // namespace zem
