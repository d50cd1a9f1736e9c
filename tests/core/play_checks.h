#pragma once

// What must hold after every event of random play, whatever came before.
// Each check returns a description of what it found wrong; an empty text
// means all is well. Free of any test framework so a fuzzer can use it too.

#include "game/clock_text.h"
#include "model/speed_text.h"
#include "random_play.h"
#include "records/number.h"
#include "records/record_store.h"

#include <algorithm>
#include <array>
#include <string>

namespace zem::test {

class PlayChecks {
public:
    PlayChecks(TForm1 &form, MemoryRecordFile &file) : f_(form), file_(file) {
        for (int i = 0; i < 30; ++i)
            keys_[std::size_t(i)] = m().id("Panel" + std::to_string(i + 1));
        before();
        stored_.load(fileBefore_);
    }

    // Call before each event.
    void before() {
        fileBefore_ = file_.content.value_or("");
        writesBefore_ = file_.writes;
        label1Before_ = text(f_.Label1);
        label12Before_ = text(f_.Label12);
        label13Before_ = text(f_.Label13);
        const int course = m().itemIndex(f_.ComboBox1);
        const RecordStore &held = f_.records().store();
        bestBefore_ = parseNumber(held.get(f_.wordMode() ? course : 20 + course));
    }

    // Call after each event.
    std::string after(const RandomPlay &play) {
        problems_.clear();
        screen(play.phase());
        halted(play);
        if (play.phase() == Phase::Running)
            runningCounts();
        for (const JudgedKey &k : play.judged())
            judgedByTheRule(k);
        if (!play.judged().empty())
            expect(m().at(f_.ProgressBar1).maximum == f_.state().CourseLength,
                   "bar maximum is not the course after a key");
        keyColours(play.phase());
        records();
        return problems_;
    }

private:
    WindowModel &m() { return f_.model(); }
    const std::string &text(ControlId id) { return m().text(id); }
    // Messages are built only for a broken rule: the checks run after every
    // one of a million events.
    void problem(const std::string &what) { problems_ += what + ". "; }
    void expect(bool ok, const char *what) {
        if (!ok)
            problem(what);
    }
    void shownExactlyIn(ControlId id, bool wanted, const char *name) {
        if (m().isShown(id) != wanted)
            problem(std::string(name) + (wanted ? " hidden" : " shown"));
    }

    // The controls of each of the four screens, and who holds the focus.
    void screen(Phase phase) {
        const bool running = phase == Phase::Running;
        const bool finished = phase == Phase::Finished;
        const GameState &s = f_.state();
        expect((s.ClockRunning == 1) == running, "clock running outside a game or stopped in one");
        expect(m().windowHasFocus() == running, "the window's focus does not match the game");
        for (ControlId id : {f_.Shape1, f_.Shape2, f_.Shape3, f_.Shape4, f_.Label2})
            shownExactlyIn(id, running, "bubble part");
        shownExactlyIn(f_.Button1, !running, "START");
        shownExactlyIn(f_.ComboBox1, !running, "course selector");
        for (ControlId id : {f_.groupbox1, f_.RadioButton1, f_.RadioButton2})
            shownExactlyIn(id, !running, "mode group");
        shownExactlyIn(f_.Panel32, running || finished, "mascot");
        shownExactlyIn(f_.Label9, phase == Phase::Idle || phase == Phase::Stopped, "credit");
        if (running || finished)
            expect(m().at(f_.Panel32).rect.top == (running ? 128 : 24), "mascot out of place");
        const int left = running && f_.proverbMode() ? 24 : 75;
        if (m().at(f_.Label1).rect.left != left)
            problem("title line at Left " + std::to_string(m().at(f_.Label1).rect.left));
        if ((phase == Phase::Idle || phase == Phase::Stopped) && text(f_.Label1) != "タイピングZem")
            problem("title replaced by " + text(f_.Label1));
        for (char c : s.TargetRomaji)
            expect(c >= 'A' && c <= 'Z', "romaji holds a non-letter");
    }

    // A stop or a completion halts the judge until the next tick.
    void halted(const RandomPlay &play) {
        const bool ended = play.phase() == Phase::Stopped || play.phase() == Phase::Finished;
        if (f_.state().Halted != int(ended && !play.ticked()))
            problem("Halted is " + std::to_string(f_.state().Halted));
    }

    void runningCounts() {
        const GameState &s = f_.state();
        const Control &bar = m().at(f_.ProgressBar1);
        const std::string strokes = std::to_string(s.StrokeCount);
        if (text(f_.Label3) != strokes + "打")
            problem("Label3 " + text(f_.Label3) + " for " + strokes + " strokes");
        if (bar.position != std::min(s.StrokeCount, bar.maximum))
            problem("bar at " + std::to_string(bar.position) + " for " + strokes + " strokes");
        expect(text(f_.Label1) == s.TargetRomaji, "Label1 is not the romaji still to type");
        expect(text(f_.Label2) == s.TargetDisplay, "bubble is not the phrase");
        if (text(f_.Label4) != clockText(s.ElapsedSeconds) && text(f_.Label4) != "0分0秒")
            problem("clock label " + text(f_.Label4));
    }

    // A character is one stroke or one miss, never both, never neither.
    void judgedByTheRule(const JudgedKey &k) {
        const char first = k.target.empty() ? '\0' : k.target.front();
        const bool correct =
            k.halted != 1 && !k.target.empty() &&
            (k.typed == first || (first >= 'A' && first <= 'Z' && k.typed == first - 'A' + 'a'));
        const bool counted =
            correct ? k.strokesAfter == k.strokesBefore + 1 && k.missesAfter == k.missesBefore &&
                          k.targetAfter == k.target.substr(1)
                    : k.missesAfter == k.missesBefore + 1 && k.strokesAfter == k.strokesBefore &&
                          k.targetAfter == k.target;
        if (!counted)
            problem("character " + std::to_string(static_cast<unsigned char>(k.typed)) +
                    " not counted as a " + (correct ? "stroke" : "miss") + " against " + k.target);
    }

    void keyColours(Phase phase) {
        int yellow = 0, red = 0;
        for (ControlId key : keys_) {
            const Color c = m().color(key);
            yellow += c == clYellow;
            red += c == clRed;
        }
        expect(yellow <= 1 && red <= 1, "more than one yellow or red key");
        expect(phase == Phase::Running || yellow == 0, "a next key marked outside a game");
    }

    // The file changes only when a record falls, only in the course's line
    // of the chosen mode, only upwards, and always stays 40 numbers.
    void records() {
        const std::string now = file_.content.value_or("");
        if (now != fileBefore_)
            fileChanged(now);
        const bool recordShown = text(f_.Label1) == "記録更新だ!!" ||
                                 text(f_.Label12) != label12Before_ ||
                                 text(f_.Label13) != label13Before_ || f_.state().NewRecord == 1;
        if (file_.writes != writesBefore_)
            expect(recordShown, "record file written without a record");
        const int course = m().itemIndex(f_.ComboBox1);
        const RecordStore &held = f_.records().store();
        if (held.lineCount() == 0)
            return; // the file could not be read at start-up
        if (text(f_.Label12) != held.get(course) + "打/分")
            problem("Label12 " + text(f_.Label12) + " for " + held.get(course));
        if (text(f_.Label13) != held.get(20 + course) + "打/分")
            problem("Label13 " + text(f_.Label13) + " for " + held.get(20 + course));
        const std::string speed = SpeedText(f_.state().StrokesPerMinute);
        if (text(f_.Label1) != "記録更新だ!!" || label1Before_ == text(f_.Label1))
            return;
        expect(held.get(course) == speed || held.get(20 + course) == speed,
               "a record declared but not kept");
        // After a failed save the declaration is still pending, whatever
        // the later speed; only a declaration of this game must be faster.
        if (!file_.failWrites && bestBefore_ && f_.state().StrokesPerMinute <= *bestBefore_)
            problem("a record declared for " + speed + ", not above " +
                    std::to_string(*bestBefore_));
    }

    void fileChanged(const std::string &now) {
        for (std::size_t i = 0; i < now.size(); ++i)
            if ((now[i] == '\r') != (i + 1 < now.size() && now[i + 1] == '\n') ||
                (now[i] == '\n' && (i == 0 || now[i - 1] != '\r'))) {
                problem("record file written with a break other than CR LF");
                break;
            }
        RecordStore after;
        after.load(now);
        if (after.lineCount() != 40)
            problem("record file has " + std::to_string(after.lineCount()) + " lines");
        const int course = m().itemIndex(f_.ComboBox1);
        const std::string speed = SpeedText(f_.state().StrokesPerMinute);
        for (int n = 0; n < after.lineCount(); ++n) {
            const std::optional<double> value = parseNumber(after.get(n));
            if (!value)
                problem("record line " + std::to_string(n) + " is " + after.get(n));
            if (after.get(n) == stored_.get(n))
                continue;
            const bool word = n == course && f_.wordMode();
            const bool proverb = n == 20 + course && f_.proverbMode();
            if (!word && !proverb)
                problem("record line " + std::to_string(n) + " changed");
            if (after.get(n) != speed)
                problem("record stored as " + after.get(n) + " for " + speed);
            if (value && *value <= parseNumber(stored_.get(n)).value_or(1e300))
                problem("record line " + std::to_string(n) + " did not go up");
        }
        stored_ = after;
    }

    TForm1 &f_;
    MemoryRecordFile &file_;
    std::string fileBefore_, label1Before_, label12Before_, label13Before_;
    int writesBefore_ = 0;
    std::optional<double> bestBefore_;
    std::string problems_;
    std::array<ControlId, 30> keys_{};
    RecordStore stored_; // the file as last seen
};

} // namespace zem::test
