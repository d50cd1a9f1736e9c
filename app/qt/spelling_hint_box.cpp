#include "app/qt/spelling_hint_box.h"

#include "app/player_choices.h"
#include "app/qt/form_window.h"
#include "app/t_form1.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace zem {

SpellingHintBox::SpellingHintBox(FormWindow &window, PlayerChoices &choices)
    : QObject(&window), window_(window), form_(window.form()), choices_(choices) {
    form_.addListener(*this);
}

SpellingHintBox::~SpellingHintBox() {
    form_.removeListener(*this);
}

// The game tells it from inside the handler that ended the game; the box
// waits until that event is done and the window shows its idle screen.
void SpellingHintBox::spellingHintDue() {
    QTimer::singleShot(0, this, [this] { ask(); });
}

// A notice, not an error: the information icon. Escape, and Enter or Space
// pressed by a player who meant START, leave the game as it is.
void SpellingHintBox::ask() {
    // The window closed with that game: no one is there to ask.
    if (!window_.isVisible() || form_.inGame())
        return;
    QMessageBox box(QMessageBox::Information, window_.windowTitle(),
                    QStringLiteral("SHI のような綴りも正解にしますか?"), QMessageBox::NoButton,
                    &window_);
    QPushButton *take = box.addButton(QStringLiteral("正解にする"), QMessageBox::AcceptRole);
    QPushButton *keep = box.addButton(QStringLiteral("このまま"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    const bool any = box.clickedButton() == take;
    // Qt may leave no focus widget at all after a modal box.
    window_.activateWindow();
    window_.dispatch([&] { choices_.answerSpellingHint(any); });
}

} // namespace zem
