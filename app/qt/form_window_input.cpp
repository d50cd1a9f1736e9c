#include "app/qt/error_box.h"
#include "app/qt/form_window.h"
#include "app/qt/key_codes.h"
#include "app/qt/player_choices.h"
#include "app/t_form1.h"
#include "model/failure.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include <utility>

namespace zem {

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
    const bool wasInGame = form_.inGame();
    try {
        handler();
    } catch (const Failure &failure) {
        // What the handler did before it failed stays done, and shows.
        sync();
        showFailure(failure.message());
        afterHandler(wasInGame);
        return;
    }
    sync();
    if (choices_)
        choices_->keepSpellings();
    afterHandler(wasInGame);
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
        openMenu(anchor->mapToGlobal(anchor->rect().center()));
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

} // namespace zem
