#include "app/form_layout.h"
#include "app/t_form1.h"

namespace zem {

void TForm1::showReading(bool on) {
    settings_.reading = on;
    if (!inGame())
        return;
    layOutBubble();
    setBubbleVisible(true);
    fitPhrase(true);
}

// The bubble as designed, or grown to hold the reading line under its text:
// by the option, and always for a lesson step or a text, whose machine
// reading must be seen to be trusted. Only START and the option lay
// it out: between games it is hidden.
void TForm1::layOutBubble() {
    readingShown_ = settings_.reading || sources_.lessonGame() || sources_.textGame();
    model_.setHeight(Shape1, readingShown_ ? layout::kReadingBubbleHeight : bubbleHeight_);
    model_.setTop(Label2, displayTop());
}

int TForm1::displayTop() const {
    return readingShown_ ? layout::kReadingDisplayTop : layout::kDisplayTop;
}

// A new phrase's reading is shown whole, in a size that ends where the
// bubble's tail begins. After every stroke the judge says which kana is being
// typed: those before it are typed, whatever spelling the keys took.
void TForm1::showReadingLine(bool newPhrase) {
    if (!readingShown_)
        return;
    if (newPhrase) {
        const std::string &kana = state_.TargetKana;
        const int px = WindowModel::fittingFontPx(kana, layout::kReadingPx,
                                                  displayRight_ - model_.at(ReadingLine).rect.left);
        model_.setText(ReadingLine, kana);
        model_.setFontPx(ReadingLine, px);
        model_.setTop(ReadingLine, layout::kReadingTop + (layout::kReadingPx - px) / 2);
    }
    const SpellingJudge::Span span = judge_.currentSpan();
    model_.setMarks(ReadingLine, span.begin, span.size);
}

} // namespace zem
