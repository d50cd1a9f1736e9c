#include "app/t_form1.h"

#include "app/form_design.h"
#include "game/lesson_steps.h"
#include "model/failure.h"

#include <algorithm>

namespace zem {

void TForm1::tell(const std::function<void(FormEvents &)> &call) {
    // A listener may come or go while it is told.
    const std::vector<FormEvents *> now = listeners_;
    for (FormEvents *listener : now)
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            call(*listener);
}

void TForm1::addListener(FormEvents &listener) {
    listeners_.push_back(&listener);
}

void TForm1::removeListener(FormEvents &listener) {
    std::erase(listeners_, &listener);
}

void TForm1::useList(PoolPhrases list) {
    if (inGame())
        return;
    sources_.useList(std::move(list));
    modesOff();
}

// The modes choose between the table's two halves; a list or a text has
// none. The modes may have held the focus, which goes back to START.
void TForm1::modesOff() {
    model_.setEnabled(RadioButton1, false);
    model_.setEnabled(RadioButton2, false);
    if (model_.windowHasFocus())
        model_.activate();
    sourceChanged();
}

void TForm1::useTable() {
    if (inGame())
        return;
    sources_.useTable();
    model_.setEnabled(RadioButton1, true);
    model_.setEnabled(RadioButton2, true);
    sourceChanged();
}

void TForm1::useText(std::unique_ptr<TextPhrases> text) {
    if (inGame() || !text || text->empty())
        return;
    sources_.useText(std::move(text));
    modesOff();
}

// During a game too: the new phrases go after those being typed.
void TForm1::textRead(std::vector<TextPhrases::Placed> phrases, int leftOut) {
    TextPhrases *text = sources_.text();
    if (!text)
        return;
    text->add(std::move(phrases), leftOut);
    if (leftOut > 0)
        showTitle();
}

HistorySource TForm1::historySource() const {
    if (const std::string &list = sources_.listName(); !list.empty())
        return HistorySource::ofList(list);
    return wordMode() ? GameMode::Word : GameMode::Proverb;
}

void TForm1::sourceChanged() {
    showTitle();
    tell([&](FormEvents &l) { l.sourceChanged(historySource()); });
}

// The caption, the list in play after it, and during a practice game the
// kana it favours.
void TForm1::showTitle() {
    std::string title = formDesign().caption;
    if (const PoolPhrases *list = sources_.list())
        title += " — " + list->listName();
    if (const TextPhrases *text = sources_.text()) {
        title += " — " + text->listName() + " " + std::to_string(text->percent()) + "%";
        if (text->leftOut() > 0)
            title += "（" + std::to_string(text->leftOut()) + "文は読めないので飛ばします）";
    }
    if (inGame() && practiceGame())
        title = practiceTitle(title, sources_.practiceKana());
    if (const LessonStep *step = lessonStep(sources_.lessonGame()); step && inGame())
        title = formDesign().caption + " — ステップ" + std::to_string(step->number) + " " +
                std::string(step->name);
    model_.setCaption(std::move(title));
}

void TForm1::weakSpotsRead(const HistorySource &source, WeakSpots spots) {
    practice_.weakSpotsRead(source, std::move(spots));
    if (practiceWanted_ && practice_.upToDate(historySource()))
        practiceWhenRead();
}

PracticeRule::Offer TForm1::practiceOffer() const {
    // A text is typed in order, the way it is written.
    if (sources_.text()) {
        const std::string why = "文章は順に打つので、苦手練習はありません";
        return {false, why, why};
    }
    return practice_.offer(historySource(), inGame());
}

void TForm1::startPractice() {
    if (!practiceOffer().can)
        return;
    sources_.armPractice(practice_.spots().kanaUnits(), wordMode());
    Button1Click();
}

void TForm1::lessonGamesRead(std::span<const LessonGame> games) {
    lessonProgress_ = zem::lessonProgress(games);
}

void TForm1::startLesson(int step, std::vector<PoolPhrase> phrases) {
    if (inGame() || !lessonStep(step) || phrases.empty())
        return;
    sources_.armLesson(step, std::move(phrases));
    Button1Click();
}

void TForm1::practiceWhenRead() {
    practiceWanted_ = true;
    if (!practice_.upToDate(historySource()))
        return;
    practiceWanted_ = false;
    const PracticeRule::Offer offer = practiceOffer();
    if (!offer.can)
        throw Notice(offer.why);
    startPractice();
}

} // namespace zem
