#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/player_choices.h"
#include "app/qt/weak_spot_watch.h"
#include "app/t_form1.h"
#include "game/practice_phrases.h"

#include <QAction>

namespace zem {

namespace {

const WeakSpots &noSpots() {
    static const WeakSpots none;
    return none;
}

} // namespace

// A list is one source whatever the mode; the table is one per mode.
HistorySource FormWindow::currentSource() const {
    if (choices_ && choices_->listActive())
        return HistorySource::ofList(choices_->listName());
    return form_.wordMode() ? GameMode::Word : GameMode::Proverb;
}

// The weak spots go stale when a game ends (once it is written) or the
// source changes; the title of a practice game ends with it.
void FormWindow::afterHandler(bool wasInGame) {
    if (form_.inGame())
        return;
    if (wasInGame) {
        setWindowTitle(normalTitle());
        if (watch_)
            watch_->read(currentSource());
        offerPractice();
    } else if (watch_ && !(watch_->wanted() == currentSource())) {
        readWeakSpots();
    }
}

void FormWindow::readWeakSpots() {
    if (watch_ && !form_.inGame())
        watch_->read(currentSource());
    offerPractice();
}

bool FormWindow::canPractise() const {
    return watch_ && !watch_->reading() && watch_->source() == currentSource() &&
           watch_->spots().found() && !form_.inGame();
}

QString FormWindow::whyNoPractice() const {
    if (form_.inGame())
        return QStringLiteral("ゲーム中は始められません");
    if (watch_ && watch_->reading())
        return QStringLiteral("成績を読んでいます…");
    const WeakSpots &spots = watch_ ? watch_->spots() : noSpots();
    return QString::fromStdString(spots.reason());
}

// The menu item and the 成績 window's button, enabled alike, with the reason
// when they are off; when on, the tooltip names the kana to be practised,
// since the window may show another source than the game's.
void FormWindow::offerPractice() {
    const bool can = canPractise();
    const QString why = can ? QString() : whyNoPractice();
    QString tip = why;
    if (can) {
        const std::vector<std::string> weak = watch_->spots().kanaUnits();
        tip = QStringLiteral("苦手な仮名:");
        for (const std::string &kana : weak)
            tip += QLatin1Char(' ') + QString::fromStdString(kana);
    }
    if (practiceAction_) {
        practiceAction_->setEnabled(can);
        practiceAction_->setToolTip(tip);
    }
    if (historyWindow_)
        historyWindow_->offerPractice(can, tip, why);
}

void FormWindow::weakSpotsRead() {
    offerPractice();
    if (!practiceWanted_ || watch_->reading() || !(watch_->source() == currentSource()))
        return;
    practiceWanted_ = false;
    if (canPractise())
        startPractice();
    else
        showFailure(whyNoPractice().toStdString());
}

void FormWindow::practiceOnceRead() {
    practiceWanted_ = true;
    if (!watch_) {
        setHistory(historyPath_, historyWriter_);
        return;
    }
    if (!watch_->reading())
        weakSpotsRead();
}

// The pool of the source in play, drawn toward its weak kana; the source
// stays until the next practice game, as the game keeps pointing at it.
void FormWindow::startPractice() {
    if (!canPractise())
        return;
    const std::vector<std::string> weak = watch_->spots().kanaUnits();
    const PoolPhrases *list = choices_ ? choices_->list() : nullptr;
    practice_ =
        std::make_unique<PracticePhrases>(list ? list->phrases() : tablePool(form_.wordMode()),
                                          weak, list ? list->listName() : std::string());
    setWindowTitle(QString::fromStdString(practiceTitle(normalTitle().toStdString(), weak)));
    dispatch([this] { form_.startPractice(*practice_); });
    offerPractice();
    activateWindow();
}

} // namespace zem
