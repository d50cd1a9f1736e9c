#include "app/qt/form_window.h"

#include "app/form_design.h"
#include "app/qt/accessibility.h"
#include "app/qt/client_area.h"
#include "app/qt/control_view.h"
#include "app/qt/design_look.h"
#include "app/qt/error_box.h"
#include "app/qt/form_menu.h"
#include "app/qt/key_codes.h"
#include "app/qt/panel_view.h"
#include "app/qt/spelling_hint_box.h"
#include "app/qt/weak_spot_watch.h"
#include "app/t_form1.h"
#include "model/failure.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include <utility>

namespace zem {

FormWindow::FormWindow(TForm1 &form, QWidget *parent) : QWidget(parent), form_(form) {
    const FormDesign &design = formDesign();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdString(form_.model().caption()));
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
    // The menu bar sits above the design's client area; the window grows by
    // it and nothing of the design moves.
    menu_ = new FormMenu(*this, form_);
    const int barHeight = menu_->bar()->sizeHint().height();
    menu_->bar()->setGeometry(0, 0, design.clientWidth, barHeight);
    client_ = new ClientArea(form_, this);
    client_->setGeometry(0, barHeight, design.clientWidth, design.clientHeight);
    resize(design.clientWidth, barHeight + design.clientHeight);
    move(design.outer.left, design.outer.top);

    createViews();
    orderTabStops();
    // The views were built from the model as it is now.
    form_.model().takeChanges();
    form_.model().takeCaptionChange();
    connectInputs();
    form_.addListener(*this);

    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(1000);
    // A coarse timer may fire up to 5 % early or late, so the clock label
    // would now and then skip or repeat a second.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.start();
    // SIGTERM and SIGHUP end the event loop without closing the window.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { form_.FormClose(); });
}

FormWindow::~FormWindow() {
    form_.removeListener(*this);
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
            views_.push_back(createView(c, parent ? parent->widget() : client_));
    }
}

// Tab runs through the controls in the model's order.
void FormWindow::orderTabStops() {
    const std::vector<ControlId> order = form_.model().tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgetOf(order[i - 1]), widgetOf(order[i]));
}

QWidget *FormWindow::widgetOf(ControlId id) const {
    if (id == kWindow)
        return const_cast<FormWindow *>(this);
    return views_[std::size_t(id)]->widget();
}

ControlId FormWindow::controlOf(const QWidget *widget) const {
    for (const QWidget *w = widget; w && w != this; w = w->parentWidget())
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
        describeForReaders(views_[std::size_t(id)]->widget(), form_, id);
    }
    syncing_ = false;
    if (model.takeCaptionChange())
        setWindowTitle(QString::fromStdString(model.caption()));
    // The menus follow a game's start and end, not every key of it.
    if (menu_->bar()->isEnabled() == form_.inGame())
        menu_->update();
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

void FormWindow::connectInputs() {
    auto *start = qobject_cast<QAbstractButton *>(widgetOf(form_.Button1));
    connect(start, &QAbstractButton::clicked, this,
            [this] { dispatch([this] { form_.Button1Click(); }); });

    // A click on the checked mode button changes nothing and runs nothing.
    const std::pair<ControlId, void (TForm1::*)()> modes[] = {
        {form_.RadioButton1, &TForm1::RadioButton1Click},
        {form_.RadioButton2, &TForm1::RadioButton2Click}};
    for (auto [id, handler] : modes) {
        auto *radio = qobject_cast<QAbstractButton *>(widgetOf(id));
        connect(radio, &QAbstractButton::clicked, this, [this, id = id, handler = handler] {
            dispatch([&] {
                if (form_.model().clickRadio(id))
                    (form_.*handler)();
            });
        });
    }

    // activated: a pick by the player, by mouse or keyboard, never one made
    // by the program.
    auto *course = qobject_cast<QComboBox *>(widgetOf(form_.ComboBox1));
    connect(course, &QComboBox::activated, this, [this](int index) {
        dispatch([&] {
            form_.model().setItemIndex(form_.ComboBox1, index);
            form_.ComboBox1Change();
        });
    });

    connect(&timer_, &QTimer::timeout, this, [this] { dispatch([this] { form_.Timer1Timer(); }); });

    focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget *, QWidget *now) { focusChanged(now); });
}

void FormWindow::dispatch(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const Notice &notice) {
        // No error: the step could not go on, and the player hears why.
        sync();
        showNoticeBox(this, windowTitle(), notice.message());
        activateWindow();
        applyFocus();
        return;
    } catch (const Failure &failure) {
        // What the handler did before it failed stays done, and shows.
        sync();
        showFailure(failure.message());
        return;
    }
    sync();
}

void FormWindow::showFailure(const std::string &message) {
    showErrorBox(this, windowTitle(), message);
    // Qt may leave no focus widget at all after a modal box.
    activateWindow();
    applyFocus();
}

void FormWindow::keyPressEvent(QKeyEvent *event) {
    // Between games the Menu key and Shift+F10 open the window's menu and
    // go no further; in a game they are keys like any other.
    if (opensMenu(*event) && !form_.inGame()) {
        event->accept();
        QWidget *anchor = focusWidget() ? focusWidget() : this;
        menu_->open(anchor->mapToGlobal(anchor->rect().center()));
        return;
    }
    if (!takesKeys()) {
        event->ignore();
        return;
    }
    event->accept();
    std::uint16_t key = virtualKey(event->key());
    const ShiftState shift = shiftState(event->modifiers());
    dispatch([&] { form_.FormKeyDown(key, shift); });
    // The press's character is judged even when its key-down has just moved
    // the focus away (Escape gives it to START).
    for (char c : pressCharacters(event->text()))
        dispatch([&] {
            char ch = c;
            form_.FormKeyPress(ch);
        });
}

// A held key repeats its press, never its release: only the final release
// counts.
void FormWindow::keyReleaseEvent(QKeyEvent *event) {
    if (!takesKeys()) {
        event->ignore();
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    std::uint16_t key = virtualKey(event->key());
    const ShiftState shift = shiftState(event->modifiers());
    dispatch([&] { form_.FormKeyUp(key, shift); });
}

bool FormWindow::opensMenu(const QKeyEvent &event) const {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
           (event.key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}

// A right click anywhere in the window, whichever control it lands on: none
// of them has a menu of its own, so the event comes on to the window. The
// Menu key's context-menu event (X sends one before the key itself) is left
// to the key, which keyPressEvent takes on every platform.
void FormWindow::contextMenuEvent(QContextMenuEvent *event) {
    if (event->reason() == QContextMenuEvent::Keyboard || form_.inGame()) {
        event->ignore();
        return;
    }
    event->accept();
    menu_->open(event->globalPos());
}

// A game in play when the window closes (the window manager's close, or the
// end of the program at a logout) is kept as Escape would keep it.
void FormWindow::closeEvent(QCloseEvent *event) {
    dispatch([this] { form_.FormClose(); });
    event->accept();
}

void FormWindow::setHistory(std::string path, HistoryWriter *writer) {
    menu_->setHistory(path, writer);
    delete watch_;
    watch_ = new WeakSpotWatch(std::move(path), writer, this);
    connect(watch_, &WeakSpotWatch::changed, this, [this] {
        dispatch([this] {
            form_.lessonGamesRead(watch_->lessons());
            form_.weakSpotsRead(watch_->source(), watch_->spots());
        });
        menu_->update();
    });
    readWeakSpots();
}

void FormWindow::setChoices(PlayerChoices *choices) {
    menu_->setChoices(choices);
    delete hintBox_;
    hintBox_ = choices ? new SpellingHintBox(*this, *choices) : nullptr;
    sync();
}

QWidget *FormWindow::clientArea() const {
    return client_;
}

// The weak spots go stale when a game ends or the source changes.
void FormWindow::readWeakSpots() {
    if (watch_)
        watch_->read(form_.historySource());
    menu_->update();
}

void FormWindow::openText(const std::string &path) {
    menu_->openText(path);
}

void FormWindow::gameEnded(const HistorySource &, bool) {
    readWeakSpots();
}

void FormWindow::sourceChanged(const HistorySource &) {
    readWeakSpots();
}

} // namespace zem
