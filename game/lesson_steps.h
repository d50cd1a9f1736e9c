#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One step of the lesson book. A step's phrases use only the kana and keys
// it adds and those of the steps before it, so a learner meets nothing that
// was not taught.
struct LessonStep {
    int number;            // 1 for the first step; the steps are taken in this order
    std::string_view name; // as the menu and the title name it
    std::string_view kana; // the kana units it adds (hiragana, ー 、 。), one space between
    std::string_view keys; // the keys it adds: upper-case letters and the keys of ー 、 。
    std::string_view file; // its phrase file, in the data folder's lessons/
    int speedTarget;       // strokes a minute (打/分) a passing game reaches
};

// The accuracy a passing game reaches, strokes / (strokes + misses), in percent.
inline constexpr int kLessonAccuracyPercent = 95;

std::span<const LessonStep> lessonSteps();

// How a completed game of a step went against its pass mark: the accuracy
// first, then the speed. `line` is what the result line says: 合格, or the
// first mark missed and what passes ("正確さ 93% — 95%で合格").
struct LessonResult {
    bool passed = false;
    std::string line;
};
LessonResult judgeLesson(const LessonStep &step, int strokes, int misses, double speed);
// A game's accuracy in percent, rounded down: strokes / (strokes + misses);
// 0 when nothing was typed.
int lessonAccuracy(int strokes, int misses);

// The step of that number, or null.
const LessonStep *lessonStep(int number);

// Everything allowed in step `number`: what it adds and every earlier step added.
std::vector<std::string> lessonKana(int number);
std::string lessonKeys(int number);

// What of a hiragana reading step `number` has not taught yet: the first kana
// unit not taught (its UTF-8 text), or else the first key of the table's
// spelling not taught (one ASCII character); empty when the reading fits.
// Taught or not, っ is typeable only where the table doubles the next
// consonant: before a vowel, N or the end it spells XTU, and no step teaches X.
std::string lessonMisfit(std::string_view hiragana, int number);

} // namespace zem
