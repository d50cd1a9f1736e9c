#pragma once

#include "app/qt/control_view.h"

#include <QGroupBox>

namespace zem {

// The frame around the two mode buttons; it has no title.
class GroupBoxView final : public QGroupBox, public ControlView {
public:
    explicit GroupBoxView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;
};

} // namespace zem
