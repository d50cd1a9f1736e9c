#pragma once

#include "app/qt/control_view.h"

#include <QComboBox>

namespace zem {

// The course selector: a list to pick from, no typing.
class ComboBoxView final : public QComboBox, public ControlView {
public:
    explicit ComboBoxView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
