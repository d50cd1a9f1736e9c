#include "app/t_form1.h"

#include <string>

namespace zem {

// Escape stops a running game; every other key-down is the character's.
void TForm1::FormKeyDown(std::uint16_t &key, ShiftState) {
    if (state_.Halted != 0 || key != kVkEscape)
        return;
    stopGame();
}

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
        spellingHint_.miss(judge_, key);
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
    sources_.game().draw(state_, random_, wordMode());
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

} // namespace zem
