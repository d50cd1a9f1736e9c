#pragma once

#include "app/qt/control_view.h"

#include <QRadioButton>

namespace zem {

// A mode button. Only the checked button of the group takes the focus by
// Tab, as a radio group should: Qt's own rule would pick the button that
// last had the focus instead.
class RadioButtonView final : public QRadioButton, public ControlView {
public:
    explicit RadioButtonView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

private:
    Color textColor_ = clNone - 1;
};

} // namespace zem
