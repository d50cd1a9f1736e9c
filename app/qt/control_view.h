#pragma once

#include "model/control.h"

class QWidget;

namespace zem {

// The widget that presents one control of the window model. Every control
// kind has its own widget class; they all take the control's current data
// through apply(), which touches only what differs from what is shown.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual QWidget *widget() = 0;
    virtual void apply(const Control &control) = 0;
};

// The widget for `control`, created as a child of `parent` and already
// showing the control's data.
ControlView *createView(const Control &control, QWidget *parent);

// What every kind shares: place, size, own visibility and font.
void applyFrame(QWidget *widget, const Control &control);

} // namespace zem
