#include "app/form_design.h"
#include "app/qt/error_box.h"
#include "app/qt/form_window.h"
#include "app/qt/player_choices.h"
#include "app/t_form1.h"

#include <QFileDialog>

namespace zem {

void FormWindow::setChoices(PlayerChoices *choices) {
    choices_ = choices;
    showChoices();
}

void FormWindow::addChoiceActions() {
    if (!choices_)
        return;
    menu_->addSeparator();
    spellingAction_ = menu_->addAction(QStringLiteral("ほかの綴りも正解にする"));
    spellingAction_->setCheckable(true);
    connect(spellingAction_, &QAction::toggled, this, [this](bool on) { toggleSpelling(on); });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("問題ファイルを開く…"), this, [this] { openList(); });
    tableAction_ =
        menu_->addAction(QStringLiteral("組み込みの問題に戻す"), this, [this] { useTable(); });
}

void FormWindow::updateChoiceActions() {
    if (!choices_)
        return;
    const QSignalBlocker quiet(spellingAction_);
    spellingAction_->setChecked(choices_->anySpelling());
    tableAction_->setEnabled(choices_->listActive());
}

void FormWindow::toggleSpelling(bool any) {
    if (choices_ && !form_.inGame())
        choices_->setAnySpelling(any);
}

void FormWindow::openList() {
    if (!choices_ || form_.inGame())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("問題ファイルを開く"), QString::fromStdString(choices_->listFolder()),
        QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty() || form_.inGame())
        return;
    const std::string refusal = choices_->openList(path.toStdString(), true);
    if (!refusal.empty()) {
        showFailure(refusal);
        return;
    }
    showChoices();
}

void FormWindow::useTable() {
    if (!choices_ || form_.inGame())
        return;
    choices_->useTable();
    showChoices();
}

// The title names the list in play after the game's caption.
QString FormWindow::normalTitle() const {
    QString title = QString::fromStdString(formDesign().caption);
    if (choices_ && choices_->listActive())
        title += QStringLiteral(" — ") + QString::fromStdString(choices_->listName());
    return title;
}

// The modes, off while a list is in play, may have held the focus, which goes
// back to START; the weak spots are the new source's.
void FormWindow::showChoices() {
    setWindowTitle(normalTitle());
    readWeakSpots();
    WindowModel &model = form_.model();
    if (!form_.inGame() && model.windowHasFocus())
        model.activate();
    sync();
}

} // namespace zem
