#include "app/t_form1.h"

#include "app/form_design.h"
#include "app/form_layout.h"
#include "game/clock_text.h"

#include <string>

namespace zem {

GameHistory &TForm1::noHistory() {
    static NoHistory none;
    return none;
}

TForm1::TForm1(Clock &clock, Random &random, RecordFile &records, GameHistory &history)
    : clock_(clock), random_(random), model_(formControls()), Label1(model_.id("Label1")),
      Label2(model_.id("Label2")), Label3(model_.id("Label3")), Label4(model_.id("Label4")),
      Label5(model_.id("Label5")), Label7(model_.id("Label7")), Label8(model_.id("Label8")),
      Label9(model_.id("Label9")), Label10(model_.id("Label10")), Label11(model_.id("Label11")),
      Label12(model_.id("Label12")), Label13(model_.id("Label13")), Shape1(model_.id("Shape1")),
      Shape2(model_.id("Shape2")), Shape3(model_.id("Shape3")), Shape4(model_.id("Shape4")),
      Button1(model_.id("Button1")), ComboBox1(model_.id("ComboBox1")),
      groupbox1(model_.id("groupbox1")), RadioButton1(model_.id("RadioButton1")),
      RadioButton2(model_.id("RadioButton2")), ProgressBar1(model_.id("ProgressBar1")),
      Panel32(model_.id("Panel32")), ReadingLine(model_.id("ReadingLine")), keyGuide_(model_),
      mascot_(model_), records_(model_, records), history_(history) {
    // The bubble's tail lies above both lines: a fitted text ends where the
    // tail begins, the romaji line at the ellipse that hangs down from the
    // bubble, the bubble's text at the one inside it.
    romajiRight_ = model_.at(Shape2).rect.left;
    displayRight_ = model_.at(Shape4).rect.left;
    bubbleHeight_ = model_.at(Shape1).rect.height;
    model_.setCaption(formDesign().caption);
    model_.takeCaptionChange();
}

void TForm1::FormCreate() {
    NullCanvas offscreen;
    FormCreate(offscreen);
}

void TForm1::FormCreate(Canvas &surface) {
    random_.seed(clock_.utcMillisecondsOfDay());
    records_.load();
    FormPaint(surface);
}

// A thin black rounded frame around the play area: filled in the window's
// own colour, so only the outline shows.
void TForm1::FormPaint(Canvas &canvas) {
    canvas.roundRect(layout::kFrameLeft, layout::kFrameTop, layout::kFrameRight,
                     layout::kFrameBottom, 20, 20, clBlack, clMenu);
}

void TForm1::setBubbleVisible(bool visible) {
    for (ControlId shape : {Shape1, Shape2, Shape3, Shape4})
        model_.setVisible(shape, visible);
    model_.setVisible(ReadingLine, visible && readingShown_);
}

// START: a full reset, the game screen, a fresh phrase, the clock running.
void TForm1::Button1Click() {
    resetCounters();
    sources_.beginGame();
    showGameScreen();
    beginPhrases();
    startClock();
    model_.setText(Label1, state_.TargetRomaji);
    model_.setText(Label2, state_.TargetDisplay);
    fitPhrase(true);
    model_.setText(Label3, std::to_string(state_.StrokeCount) + "打");
    keyGuide_.markNext(state_.TargetRomaji);
    Button3Click();
}

void TForm1::resetCounters() {
    zeroCounts();
    state_.ClockSeconds = 0;
    state_.Halted = 0;
    state_.ClockRunning = 1;
}

// What a game counts, at zero: before a game, and after one that stopped.
void TForm1::zeroCounts() {
    state_.NewRecord = 0;
    state_.StrokesPerMinute = 0.0;
    state_.MissCount = 0;
    state_.StrokeCount = 0;
}

// The bubble and the counters come up; every control that could take the
// focus goes, so the window holds it for the keys of the game.
void TForm1::showGameScreen() {
    model_.setTop(Panel32, layout::kMascotPlayTop);
    showDesignFonts(); // a lesson's result line may have shrunk the romaji line
    layOutBubble();
    setBubbleVisible(true);
    model_.setVisible(Label2, true);
    model_.setVisible(Label9, false);
    model_.setText(Label4, "0分0秒");
    model_.setText(Label5, "0打/分");
    model_.setVisible(ComboBox1, false);
    model_.setVisible(Button1, false);
    model_.setPosition(ProgressBar1, 0);
    model_.setVisible(RadioButton1, false);
    model_.setVisible(RadioButton2, false);
    model_.setVisible(groupbox1, false);
}

// The game's rule and first phrase; a list's phrases may be as long as a
// proverb, whatever the mode. A lesson step shows its fingers, whatever the
// settings say.
void TForm1::beginPhrases() {
    showTitle();
    if (proverbMode() || !sources_.tableGame())
        model_.setLeft(Label1, layout::kLongLineLeft);
    else if (wordMode())
        model_.setLeft(Label1, layout::kWordLineLeft);
    keyGuide_.showFingers(settings_.fingers || sources_.lessonGame());
    keyGuide_.pressReset();
    gameSpelling_ = settings_.spelling;
    spellingHint_.gameStarted(gameSpelling_);
    drawPhrase();
    tally_.start();
    shownSeconds_ = 0;
}

void TForm1::startClock() {
    state_.StartTime = clock_.localTimeOfDay();
    state_.StartMonotonicMs = clock_.monotonicMilliseconds();
}

// A list's texts are shown whole, in a smaller font where they are long: the
// romaji line's size is set for each phrase and only shrinks while it is
// typed (another spelling may be longer), so the line never grows under the
// player's eyes. The table's phrases are shown as designed, even a proverb
// whose romaji runs past the frame until its first letters are typed.
void TForm1::fitPhrase(bool newPhrase) {
    showReadingLine(newPhrase);
    if (sources_.tableGame())
        return;
    const Control &romaji = model_.at(Label1);
    const int romajiPx = WindowModel::fittingFontPx(state_.TargetRomaji,
                                                    newPhrase ? layout::kRomajiPx : romaji.fontPx,
                                                    romajiRight_ - romaji.rect.left);
    model_.setFontPx(Label1, romajiPx);
    model_.setTop(Label1, layout::kRomajiTop + (layout::kRomajiPx - romajiPx) / 2);
    if (!newPhrase)
        return;
    const Control &display = model_.at(Label2);
    const int displayPx = WindowModel::fittingFontPx(state_.TargetDisplay, layout::kDisplayPx,
                                                     displayRight_ - display.rect.left);
    model_.setFontPx(Label2, displayPx);
    model_.setTop(Label2, displayTop() + (layout::kDisplayPx - displayPx) / 2);
}

void TForm1::showDesignFonts() {
    model_.setFontPx(Label1, layout::kRomajiPx);
    model_.setTop(Label1, layout::kRomajiTop);
    model_.setFontPx(Label2, layout::kDisplayPx);
    model_.setTop(Label2, layout::kDisplayTop);
}

void TForm1::Button2Click() {
    mascot_.hide();
}

void TForm1::Button3Click() {
    mascot_.show();
}

void TForm1::showIdleControls() {
    keyGuide_.gameOver();
    showDesignFonts();
    model_.setVisible(ComboBox1, true);
    model_.setVisible(Button1, true);
    model_.setFocus(Button1);
    model_.setVisible(RadioButton1, true);
    model_.setVisible(RadioButton2, true);
    model_.setVisible(groupbox1, true);
}

// The clock runs in every state; it only counts while a game runs, and every
// tick ends the short halt after a stop or a completion. It counts on the
// monotonic clock, so a wall clock that is set or turns midnight mid-game
// changes neither the time shown nor the speed.
void TForm1::Timer1Timer() {
    if (state_.ClockRunning == 1) {
        state_.ElapsedSeconds =
            elapsedSeconds(state_.StartMonotonicMs, clock_.monotonicMilliseconds());
        state_.ClockSeconds = std::uint16_t(state_.ElapsedSeconds % 60);
        model_.setText(Label4, clockText(state_.ElapsedSeconds));
        shownSeconds_ = state_.ElapsedSeconds;
    }
    state_.Halted = 0;
}

void TForm1::ComboBox1Change() {
    const int i = model_.itemIndex(ComboBox1);
    if (i >= 0 && i <= 19)
        state_.CourseLength = (i + 1) * 100;
    model_.setText(Label8, std::to_string(state_.CourseLength) + "打コース");
    records_.display(i);
}

// The caption and record of the chosen mode are shown larger; the mode is
// the table's source from now on.
void TForm1::RadioButton1Click() {
    if (!proverbMode())
        return;
    model_.setFontPoints(Label10, 9);
    model_.setFontPoints(Label12, 9);
    model_.setFontPoints(Label11, 12);
    model_.setFontPoints(Label13, 12);
    sourceChanged();
}

void TForm1::RadioButton2Click() {
    if (!wordMode())
        return;
    model_.setFontPoints(Label11, 9);
    model_.setFontPoints(Label13, 9);
    model_.setFontPoints(Label10, 12);
    model_.setFontPoints(Label12, 12);
    sourceChanged();
}

} // namespace zem
