#pragma once

#include "app/qt/control_view.h"

#include <QPushButton>

namespace zem {

// START. Auto-default, so Enter presses it while it has the focus, as Space
// does.
class ButtonView final : public QPushButton, public ControlView {
public:
    explicit ButtonView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
