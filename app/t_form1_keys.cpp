#include "app/t_form1.h"

#include "model/failure.h"
#include "model/speed_text.h"

#include <string>

namespace zem {

// The judge: every character the window receives is either the next letter
// or a miss; then the completion check runs, for misses too.
void TForm1::FormKeyPress(char &key) {
    keyGuide_.pressReset();
    const char expected = state_.TargetRomaji.empty() ? 0 : state_.TargetRomaji.front();
    const std::string_view kana = judge_.currentKana();
    // The judge is asked only while a letter is due, so that nothing moves it
    // while the game is halted or between two phrases.
    const bool correct = state_.Halted != 1 && !state_.TargetRomaji.empty() && judge_.type(key);
    tally_.stroke(expected, kana, key, correct);
    if (correct) {
        mascot_.strokeStep();
        noteSpellings();
        state_.TargetRomaji = judge_.rest();
        model_.setText(Label1, state_.TargetRomaji);
        fitPhrase(false);
        state_.StrokeCount += 1;
        model_.setText(Label3, std::to_string(state_.StrokeCount) + "打");
        model_.stepIt(ProgressBar1);
    } else {
        state_.MissCount += 1;
        mascot_.missReaction();
        keyGuide_.markMiss(key);
    }
    model_.setMaximum(ProgressBar1, state_.CourseLength);
    completionCheck();
}

// Key-up, whatever the key: a new phrase once the old one is typed, the miss
// count, the next key.
void TForm1::FormKeyUp(std::uint16_t &, ShiftState) {
    refill();
    model_.setText(Label7, std::to_string(state_.MissCount) + "打");
    keyGuide_.markNext(state_.TargetRomaji);
}

void TForm1::refill() {
    if (!state_.TargetRomaji.empty() || state_.Halted == 1)
        return;
    drawPhrase();
    model_.setText(Label1, state_.TargetRomaji);
    model_.setText(Label2, state_.TargetDisplay);
    fitPhrase(true);
}

// A new phrase from the game's source, and the judge set to follow its kana.
// The romaji line shows the judge's spelling of it: with the table's rule,
// the table's letters as drawn.
void TForm1::drawPhrase() {
    const PhraseSource &source = gameSource_ ? *gameSource_ : phrases();
    source.draw(state_, random_, wordMode());
    judge_.start(state_.TargetKana, gameSpelling_, &settings_.lastSpellings);
    state_.TargetRomaji = judge_.rest();
}

// Kana the player has typed in a spelling of their own choosing are shown in
// it from then on, in this game and the next.
void TForm1::noteSpellings() {
    if (gameSpelling_ != SpellingRule::Any)
        return;
    for (auto &[unit, keys] : judge_.takeFinished()) {
        std::string &last = settings_.lastSpellings[unit];
        if (last != keys) {
            last = std::move(keys);
            settingsChanged_ = true;
        }
    }
}

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
    // hiscore.dat keeps the built-in modes only.
    if (tableGame()) {
        const RecordCheck checked = records_.check(
            model_.itemIndex(ComboBox1), wordMode() ? RecordMode::Word : RecordMode::Proverb,
            state_.StrokesPerMinute);
        if (checked.record)
            state_.NewRecord = 1;
        if (checked.failure) {
            keepGame(true); // a record that could not be saved still leaves its game
            throw *checked.failure;
        }
    }
    keepGame(true);
    state_.Halted = 1;
    state_.ClockRunning = 0;
    showIdleControls();
    model_.setLeft(Label1, 75);
    model_.setText(Label1, resultLine());
    state_.NewRecord = 0;
    model_.setVisible(Label2, false);
    setBubbleVisible(false);
    model_.setTop(Panel32, 24);
}

// A practice game sets no record, and its line says so in the room left of
// the mascot; the course stays on its own label.
std::string TForm1::resultLine() const {
    if (practiceGame())
        return "練習は記録なし";
    return state_.NewRecord == 1 ? std::string("記録更新だ!!")
                                 : std::to_string(state_.CourseLength) + "打だ!!";
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
    const PhraseSource &source = gameSource_ ? *gameSource_ : phrases();
    game.list = source.listName();
    game.practice = source.practice();
    tally_.fill(game);
    history_.keep(std::move(game));
}

} // namespace zem
