#include "app/qt/form_window.h"

#include "app/form_design.h"
#include "app/qt/accessibility.h"
#include "app/qt/control_view.h"
#include "app/qt/design_look.h"
#include "app/qt/panel_view.h"
#include "app/qt/qt_canvas.h"
#include "app/t_form1.h"
#include "game/practice_phrases.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <tuple>

namespace zem {

FormWindow::FormWindow(TForm1 &form, QWidget *parent) : QWidget(parent), form_(form) {
    const FormDesign &design = formDesign();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdString(design.caption));
    // Romaji keys must arrive as plain key events, even with a Japanese
    // input method running.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFont(designFont(design.fontPx));
    // The window's face is the palette's own in the design: a palette set on
    // the window anyway would have each of its 60 children compare the whole
    // of it with its own as it is created.
    const QColor face = toQColor(design.color);
    if (palette().color(QPalette::Window) != face) {
        QPalette p = palette();
        p.setColor(QPalette::Window, face);
        setPalette(p);
    }
    setAutoFillBackground(true);
    resize(design.clientWidth, design.clientHeight);
    move(design.outer.left, design.outer.top);

    createViews();
    orderTabStops();
    // The views were built from the model as it is now.
    form_.model().takeChanges();
    connectInputs();

    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(1000);
    // A coarse timer may fire up to 5 % early or late, so the clock label
    // would now and then skip or repeat a second.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.start();
}

FormWindow::~FormWindow() {
    // Qt deletes the children after this object's members are gone; a focus
    // change on the way must not reach them.
    disconnect(focusConnection_);
}

void FormWindow::createViews() {
    const std::vector<Control> &controls = form_.model().controls();
    views_.reserve(controls.size());
    for (const Control &c : controls) {
        ControlView *parent = c.parent == kWindow ? nullptr : views_[std::size_t(c.parent)];
        // A panel inside a panel is painted by the outermost one's widget.
        if (ControlView *nested = PanelView::nest(parent, c))
            views_.push_back(nested);
        else
            views_.push_back(createView(c, parent ? parent->widget() : this));
    }
}

// Tab runs through the focusable controls by the tab order of their
// top-level control, then by their own within it.
void FormWindow::orderTabStops() {
    const WindowModel &model = form_.model();
    auto rank = [&](ControlId id) {
        ControlId top = id;
        while (model.at(top).parent != kWindow)
            top = model.at(top).parent;
        return std::tuple(model.at(top).tabOrder, model.at(id).tabOrder);
    };
    std::vector<ControlId> stops;
    for (ControlId id = 0; id < model.size(); ++id)
        if (model.at(id).focusable)
            stops.push_back(id);
    std::stable_sort(stops.begin(), stops.end(),
                     [&](ControlId a, ControlId b) { return rank(a) < rank(b); });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(widgetOf(stops[i - 1]), widgetOf(stops[i]));
}

QWidget *FormWindow::widgetOf(ControlId id) const {
    if (id == kWindow)
        return const_cast<FormWindow *>(this);
    return views_[std::size_t(id)]->widget();
}

ControlId FormWindow::controlOf(QWidget *widget) const {
    for (QWidget *w = widget; w && w != this; w = w->parentWidget())
        for (std::size_t id = 0; id < views_.size(); ++id)
            if (views_[id]->widget() == w)
                return ControlId(id);
    return kWindow;
}

void FormWindow::sync() {
    WindowModel &model = form_.model();
    // Hiding the focused widget makes Qt move the focus on its own; the model
    // decides where it goes, so those moves are not written back.
    syncing_ = true;
    for (ControlId id : model.takeChanges()) {
        views_[std::size_t(id)]->apply(model.at(id));
        describeForReaders(views_[std::size_t(id)]->widget(), model.at(id));
    }
    syncing_ = false;
    const bool moved = model.takeFocusChange();
    if (moved || focusWidget() != widgetOf(model.focus()))
        applyFocus();
}

void FormWindow::applyFocus() {
    syncing_ = true;
    widgetOf(form_.model().focus())->setFocus(Qt::OtherFocusReason);
    syncing_ = false;
}

// The focus moved by a click or by Tab: the model follows.
void FormWindow::focusChanged(QWidget *now) {
    if (syncing_ || !now || now->window() != this)
        return;
    const ControlId id = controlOf(now);
    if (id == kWindow && now != this)
        return;
    form_.model().setFocus(id);
    form_.model().takeFocusChange();
}

// No control holds the focus, and neither does the window (a widget gave the
// focus up, or Qt's activation found no tab stop): as on an activation, the
// first control in the tab order that can take the focus gets it; during a
// game none can, and the window takes it itself.
void FormWindow::settleFocus() {
    WindowModel &model = form_.model();
    model.setFocus(kWindow);
    model.activate();
    model.takeFocusChange();
    applyFocus();
}

// Keys reach the game only while the window itself holds the focus. A key
// that a focused child ignored comes on to its parent: not ours. A key that
// finds no focus at all settles it first, so it never reaches the game
// while START can take the focus.
bool FormWindow::takesKeys() {
    if (!focusWidget())
        settleFocus();
    return focusWidget() == this;
}

// The rounded frame goes on the window's own surface, below every control.
// FormPaint only draws, so it cannot fail here.
void FormWindow::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    QtCanvas canvas(painter, event->rect());
    form_.FormPaint(canvas);
}

} // namespace zem
