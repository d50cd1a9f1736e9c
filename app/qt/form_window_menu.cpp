#include "app/qt/design_look.h"
#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/weak_spot_watch.h"
#include "app/t_form1.h"

#include <QContextMenuEvent>
#include <QScreen>

namespace zem {

void FormWindow::setHistory(std::string path, HistoryWriter *writer) {
    historyPath_ = std::move(path);
    historyWriter_ = writer;
    delete watch_;
    watch_ = new WeakSpotWatch(historyPath_, historyWriter_, this);
    connect(watch_, &WeakSpotWatch::changed, this, [this] { weakSpotsRead(); });
    readWeakSpots();
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
    openMenu(event->globalPos());
}

void FormWindow::openMenu(const QPoint &globalPos) {
    if (!menu_) {
        menu_ = new QMenu(this);
        menu_->setObjectName(QStringLiteral("FormMenu"));
        // A menu is a window of its own and does not inherit the game's font.
        menu_->setFont(designFont(14));
        menu_->addAction(QStringLiteral("成績…"), this, [this] { openHistory(); });
        practiceAction_ =
            menu_->addAction(QStringLiteral("苦手練習"), this, [this] { startPractice(); });
        practiceAction_->setObjectName(QStringLiteral("PracticeAction"));
        // A disabled item says why in its tooltip.
        menu_->setToolTipsVisible(true);
        addChoiceActions();
    }
    updateChoiceActions();
    offerPractice();
    // Not exec(): the clock goes on ticking, and the focus comes back to
    // the control that held it when the menu closes.
    menu_->popup(globalPos);
}

// One window, kept once made: opened again it reads the history anew, on
// the mode and course the game shows now.
void FormWindow::openHistory() {
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(historyPath_, historyWriter_, this);
        historyWindow_->adjustSize();
        // Beside the game, on the side with room, within the screen.
        const QRect frame = frameGeometry();
        const QRect screen = this->screen()->availableGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (at.x() + historyWindow_->width() > screen.right())
            at.setX(std::max(screen.left(), frame.left() - 8 - historyWindow_->width()));
        at.setY(std::clamp(at.y(), screen.top(),
                           std::max(screen.top(), screen.bottom() - historyWindow_->height())));
        historyWindow_->move(at);
        connect(historyWindow_, &HistoryWindow::practiceAsked, this, [this] { startPractice(); });
        offerPractice();
    }
    historyWindow_->showFor(currentSource(), form_.state().CourseLength);
}

} // namespace zem
