#include "game/lesson_steps.h"

#include "kana/kana_text.h"
#include "kana/table_romaji.h"

#include <algorithm>
#include <array>

namespace zem {

namespace {

// The order of the romaji curricula of Japanese schools: the home row first,
// then the rows of the kana table, the voiced sounds, the contracted ones, the
// small っ, and the long vowel and punctuation. The home row spells only a few
// kana (あ か さ だ は が), so several later steps add kana but no key.
//
// Speed targets, strokes a minute:
//   1-3   60   ホームポジション, あ行, か行
//   4-5   70   さ行, た行
//   6-7   80   な行, は行
//   8     90   ま行
//   9    100   や行・ら行・わ行・ん
//   10   110   濁音・半濁音
//   11   120   拗音
//   12   130   促音
//   13   140   長音と記号
//   14   150   まとめ
// 拗音 teaches the contracted sounds of everyday words; the rare ones (ひゅ,
// みゅ, にょ ...) are not taught, so no step's phrases may hold them.
// clang-format off
constexpr std::array kSteps = std::to_array<LessonStep>({
    {1, "ホームポジション", "あ か さ だ は が", "ASDFGHJKL;",
     "01-ホームポジション.txt", 60},
    {2, "あ行", "い う え お", "EIOU", "02-あ行.txt", 60},
    {3, "か行", "き く け こ", "", "03-か行.txt", 60},
    {4, "さ行", "し す せ そ", "", "04-さ行.txt", 70},
    {5, "た行", "た ち つ て と", "T", "05-た行.txt", 70},
    {6, "な行", "な に ぬ ね の", "N", "06-な行.txt", 80},
    {7, "は行", "ひ ふ へ ほ", "", "07-は行.txt", 80},
    {8, "ま行", "ま み む め も", "M", "08-ま行.txt", 90},
    {9, "や行・ら行・わ行・ん", "や ゆ よ ら り る れ ろ わ を ん", "YRW",
     "09-や行・ら行・わ行・ん.txt", 100},
    {10, "濁音・半濁音",
     "ぎ ぐ げ ご ざ じ ず ぜ ぞ ぢ づ で ど ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ", "ZBP",
     "10-濁音・半濁音.txt", 110},
    {11, "拗音",
     "きゃ きゅ きょ ぎゃ ぎゅ ぎょ しゃ しゅ しょ じゃ じゅ じょ ちゃ ちゅ ちょ "
     "にゃ にゅ ひゃ ひょ びゃ びょ ぴょ みゃ みょ "
     "りゃ りゅ りょ",
     "", "11-拗音.txt", 120},
    {12, "促音", "っ", "", "12-促音.txt", 130},
    {13, "長音と記号", "ー 、 。", "-,.", "13-長音と記号.txt", 140},
    {14, "まとめ", "", "", "14-まとめ.txt", 150},
});
// clang-format on

void appendWords(std::vector<std::string> &out, std::string_view spaced) {
    while (!spaced.empty()) {
        const std::size_t space = spaced.find(' ');
        out.emplace_back(spaced.substr(0, space));
        spaced.remove_prefix(space == std::string_view::npos ? spaced.size() : space + 1);
    }
}

} // namespace

std::span<const LessonStep> lessonSteps() {
    return kSteps;
}

const LessonStep *lessonStep(int number) {
    if (number < 1 || number > int(kSteps.size()))
        return nullptr;
    return &kSteps[std::size_t(number - 1)];
}

std::vector<std::string> lessonKana(int number) {
    std::vector<std::string> kana;
    for (const LessonStep &step : kSteps)
        if (step.number <= number)
            appendWords(kana, step.kana);
    return kana;
}

std::string lessonKeys(int number) {
    std::string keys;
    for (const LessonStep &step : kSteps)
        if (step.number <= number)
            keys += step.keys;
    return keys;
}

std::string lessonMisfit(std::string_view hiragana, int number) {
    const std::vector<std::string> kana = lessonKana(number);
    const std::string keys = lessonKeys(number);
    const std::vector<std::string> units = kanaUnits(hiragana);
    for (const std::string &unit : units)
        if (std::find(kana.begin(), kana.end(), unit) == kana.end())
            return unit;
    for (std::size_t at = 0; at < units.size(); ++at)
        for (char key : unitTableRomaji(units, at))
            if (keys.find(key) == std::string::npos)
                return std::string(1, key);
    return {};
}

// Whole percents and strokes a minute are shown rounded down, so a line
// never shows the mark itself for a game that missed it.
int lessonAccuracy(int strokes, int misses) {
    const long long judged = (long long)strokes + misses;
    return judged <= 0 ? 0 : int(strokes * 100LL / judged);
}

LessonResult judgeLesson(const LessonStep &step, int strokes, int misses, double speed) {
    const long long judged = (long long)strokes + misses;
    if (judged == 0 || strokes * 100LL < kLessonAccuracyPercent * judged) {
        const int percent = lessonAccuracy(strokes, misses);
        return {false, "正確さ " + std::to_string(percent) + "% — " +
                           std::to_string(kLessonAccuracyPercent) + "%で合格"};
    }
    if (speed < step.speedTarget)
        return {false, "速さ " + std::to_string(int(speed)) + "打/分 — " +
                           std::to_string(step.speedTarget) + "打/分で合格"};
    return {true, "合格"};
}

} // namespace zem
