#include "app/t_form1.h"

#include "app/form_layout.h"
#include "game/lesson_steps.h"
#include "model/failure.h"
#include "model/speed_text.h"

#include <string>
#include <utility>

namespace zem {

// Ends the game when the course is typed: speed, records, result screen.
void TForm1::completionCheck() {
    if (state_.StrokeCount != state_.CourseLength)
        return;
    // The speed counts the seconds of the last clock tick; a course typed
    // before the first full second cannot be divided by.
    if (state_.ElapsedSeconds == 0)
        throw Failure("0 による浮動小数点数除算");
    state_.StrokesPerMinute = double(state_.StrokeCount) / double(state_.ElapsedSeconds) * 60.0;
    model_.setText(Label5, SpeedText(state_.StrokesPerMinute) + "打/分");
    checkRecord();
    keepGame(true);
    showResult();
    announceEnd(true);
}

// hiscore.dat keeps the built-in modes only. A record that could not be
// saved still leaves its game, kept as a record.
void TForm1::checkRecord() {
    if (!sources_.tableGame())
        return;
    const RecordCheck checked = records_.check(model_.itemIndex(ComboBox1),
                                               wordMode() ? RecordMode::Word : RecordMode::Proverb,
                                               state_.StrokesPerMinute);
    if (checked.record)
        state_.NewRecord = 1;
    if (checked.failure) {
        keepGame(true);
        throw *checked.failure;
    }
}

void TForm1::showResult() {
    state_.Halted = 1;
    state_.ClockRunning = 0;
    showIdleControls();
    model_.setLeft(Label1, layout::kWordLineLeft);
    model_.setText(Label1, resultLine());
    fitResult();
    state_.NewRecord = 0;
    model_.setVisible(Label2, false);
    setBubbleVisible(false);
    model_.setTop(Panel32, layout::kMascotResultTop);
}

// A practice game sets no record, and its line says so in the room left of
// the mascot; the course stays on its own label.
std::string TForm1::resultLine() const {
    if (practiceGame())
        return "練習は記録なし";
    if (const LessonStep *step = lessonStep(sources_.lessonGame()))
        return judgeLesson(*step, state_.StrokeCount, state_.MissCount, state_.StrokesPerMinute)
            .line;
    return state_.NewRecord == 1 ? std::string("記録更新だ!!")
                                 : std::to_string(state_.CourseLength) + "打だ!!";
}

// A lesson's line may be longer than the room left of the mascot: it
// shrinks to fit there, and the next START shows the design's size again.
void TForm1::fitResult() {
    if (!sources_.lessonGame())
        return;
    const int room = model_.at(Panel32).rect.left - layout::kWordLineLeft - layout::kResultGap;
    const int px = WindowModel::fittingFontPx(model_.text(Label1), layout::kRomajiPx, room);
    model_.setFontPx(Label1, px);
    model_.setTop(Label1, layout::kRomajiTop + (layout::kRomajiPx - px) / 2);
}

// Escape, and a window that closes: a game in play is kept as stopped, and
// the window goes back to its idle screen with the counters at zero.
void TForm1::stopGame() {
    const bool ended = inGame();
    if (ended)
        keepGame(false);
    zeroCounts();
    state_.Halted = 1;
    state_.ClockRunning = 0;
    showStoppedScreen();
    Button2Click();
    if (ended)
        announceEnd(false);
}

void TForm1::showStoppedScreen() {
    model_.setText(Label3, std::to_string(state_.StrokeCount) + "打");
    model_.setText(Label7, std::to_string(state_.MissCount) + "打");
    model_.setText(Label4, "0分0秒");
    showIdleControls();
    model_.setPosition(ProgressBar1, 0);
    model_.setText(Label1, "タイピングZem");
    model_.setVisible(Label2, false);
    model_.setVisible(Label9, true);
    setBubbleVisible(false);
    model_.setLeft(Label1, layout::kWordLineLeft);
}

void TForm1::FormClose() {
    if (inGame())
        stopGame();
}

// Hands the game that ends now to the history; play never waits for it.
// A game ends once: the tally stops here, so that keys the window still
// takes after a failed record save make no second game.
void TForm1::keepGame(bool completed) {
    const bool typed = tally_.counting() && tally_.any();
    tally_.stop();
    if (!typed)
        return;
    GameRecord game;
    game.finishedAt = clock_.wallTime();
    game.mode = wordMode() ? GameMode::Word : GameMode::Proverb;
    game.course = state_.CourseLength;
    game.strokes = state_.StrokeCount;
    game.misses = state_.MissCount;
    game.seconds = shownSeconds_;
    game.completed = completed;
    if (completed)
        game.speed = SpeedText(state_.StrokesPerMinute);
    game.newRecord = state_.NewRecord == 1;
    game.spelling = gameSpelling_;
    game.list = gameList();
    game.practice = sources_.game().practice();
    tally_.fill(game);
    history_.keep(std::move(game));
}

// Once the game's screen is final: the weak spots read before it are out of
// date, the title is the source's again, and the spellings typed in it are
// to be kept.
// The list the history keeps the game under: the player's, or a lesson
// step's own.
std::string TForm1::gameList() const {
    if (const int step = sources_.lessonGame())
        return lessonList(step);
    return sources_.game().listName();
}

void TForm1::announceEnd(bool completed) {
    practice_.gameEnded();
    showTitle();
    keyGuide_.showFingers(settings_.fingers);
    const std::string list = gameList();
    const HistorySource source =
        list.empty() ? HistorySource(wordMode() ? GameMode::Word : GameMode::Proverb)
                     : HistorySource::ofList(list);
    if (std::exchange(settingsChanged_, false))
        tell([&](FormEvents &l) { l.settingsChanged(settings_); });
    tell([&](FormEvents &l) { l.gameEnded(source, completed); });
    if (spellingHint_.dueAtEnd(settings_))
        tell([](FormEvents &l) { l.spellingHintDue(); });
}

} // namespace zem
