#include "app/qt/form_menu.h"

#include "app/player_choices.h"
#include "app/qt/design_look.h"
#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/t_form1.h"
#include "model/failure.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QScreen>

#include <algorithm>

namespace zem {

FormMenu::FormMenu(FormWindow &window, TForm1 &form)
    : QObject(&window), window_(window), form_(form) {}

void FormMenu::setHistory(std::string path, HistoryWriter *writer) {
    historyPath_ = std::move(path);
    historyWriter_ = writer;
}

void FormMenu::setChoices(PlayerChoices *choices) {
    choices_ = choices;
}

void FormMenu::open(const QPoint &globalPos) {
    if (!menu_)
        create();
    updateChoiceActions();
    offerPractice();
    // Not exec(): the clock goes on ticking, and the focus comes back to
    // the control that held it when the menu closes.
    menu_->popup(globalPos);
}

void FormMenu::create() {
    menu_ = new QMenu(&window_);
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

void FormMenu::addChoiceActions() {
    if (!choices_)
        return;
    menu_->addSeparator();
    spellingAction_ = menu_->addAction(QStringLiteral("ほかの綴りも正解にする"));
    spellingAction_->setCheckable(true);
    connect(spellingAction_, &QAction::toggled, this, [this](bool any) {
        if (!form_.inGame())
            choices_->setAnySpelling(any);
    });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("問題ファイルを開く…"), this, [this] { openList(); });
    tableAction_ =
        menu_->addAction(QStringLiteral("組み込みの問題に戻す"), this, [this] { useTable(); });
}

void FormMenu::updateChoiceActions() {
    if (!choices_ || !spellingAction_)
        return;
    const QSignalBlocker quiet(spellingAction_);
    spellingAction_->setChecked(choices_->anySpelling());
    tableAction_->setEnabled(form_.sources().list() != nullptr);
}

void FormMenu::offerPractice() {
    const PracticeRule::Offer offer = form_.practiceOffer();
    const QString tip = QString::fromStdString(offer.tip);
    if (practiceAction_) {
        practiceAction_->setEnabled(offer.can);
        practiceAction_->setToolTip(tip);
    }
    if (historyWindow_)
        historyWindow_->offerPractice(offer.can, tip, QString::fromStdString(offer.why));
}

void FormMenu::startPractice() {
    window_.dispatch([this] { form_.startPractice(); });
    offerPractice();
    window_.activateWindow();
}

// One window, kept once made: opened again it reads the history anew, on
// the source and course the game shows now.
void FormMenu::openHistory() {
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(historyPath_, historyWriter_, &window_);
        historyWindow_->adjustSize();
        // Beside the game, on the side with room, within the screen.
        const QRect frame = window_.frameGeometry();
        const QRect screen = window_.screen()->availableGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (at.x() + historyWindow_->width() > screen.right())
            at.setX(std::max(screen.left(), frame.left() - 8 - historyWindow_->width()));
        at.setY(std::clamp(at.y(), screen.top(),
                           std::max(screen.top(), screen.bottom() - historyWindow_->height())));
        historyWindow_->move(at);
        connect(historyWindow_, &HistoryWindow::practiceAsked, this, [this] { startPractice(); });
        offerPractice();
    }
    historyWindow_->showFor(form_.historySource(), form_.state().CourseLength);
}

void FormMenu::openList() {
    if (!choices_ || form_.inGame())
        return;
    const QString path =
        QFileDialog::getOpenFileName(&window_, QStringLiteral("問題ファイルを開く"),
                                     QString::fromStdString(choices_->listFolder()),
                                     QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty() || form_.inGame())
        return;
    window_.dispatch([&] {
        const std::string refusal = choices_->openList(path.toStdString(), true);
        if (!refusal.empty())
            throw Failure(refusal);
    });
}

void FormMenu::useTable() {
    if (!choices_ || form_.inGame())
        return;
    window_.dispatch([this] { choices_->useTable(); });
}

} // namespace zem
