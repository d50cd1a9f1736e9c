#include "app/qt/control_view.h"

#include "app/qt/bevel_view.h"
#include "app/qt/button_view.h"
#include "app/qt/combo_box_view.h"
#include "app/qt/design_look.h"
#include "app/qt/group_box_view.h"
#include "app/qt/label_view.h"
#include "app/qt/panel_view.h"
#include "app/qt/progress_bar_view.h"
#include "app/qt/radio_button_view.h"
#include "app/qt/shape_view.h"

#include <QWidget>

namespace zem {

namespace {

ControlView *makeView(const Control &c, QWidget *parent) {
    switch (c.kind) {
    case ControlKind::Label:
        return new LabelView(parent);
    case ControlKind::Shape:
        return new ShapeView(parent);
    case ControlKind::Bevel:
        return new BevelView(parent);
    case ControlKind::Panel:
        return new PanelView(parent);
    case ControlKind::Button:
        return new ButtonView(parent);
    case ControlKind::GroupBox:
        return new GroupBoxView(parent);
    case ControlKind::RadioButton:
        return new RadioButtonView(parent);
    case ControlKind::ComboBox:
        return new ComboBoxView(parent);
    case ControlKind::ProgressBar:
        return new ProgressBarView(parent);
    }
    return nullptr;
}

} // namespace

ControlView *createView(const Control &control, QWidget *parent) {
    ControlView *view = makeView(control, parent);
    QWidget *w = view->widget();
    w->setObjectName(QString::fromStdString(control.name));
    // Placed before it is shown: a child shown unplaced is first sized to
    // its own liking, a size hint thrown away at once, whose text layout
    // loads the font database before the window can map.
    w->setGeometry(toQRect(control.rect));
    // Explicit for every widget, so a hidden parent keeps a child's own
    // setting for when it is shown again.
    w->setVisible(control.visible);
    view->apply(control);
    return view;
}

void applyFrame(QWidget *widget, const Control &control) {
    const QRect rect = toQRect(control.rect);
    if (widget->geometry() != rect)
        widget->setGeometry(rect);
    if (widget->isHidden() == control.visible)
        widget->setVisible(control.visible);
    if (widget->font().pixelSize() != control.fontPx)
        widget->setFont(designFont(control.fontPx));
}

} // namespace zem
