#pragma once

// A random player for TForm1: START, keys of every byte value, Escape, clock
// ticks that jump, course and mode changes, all delivered the way the window
// delivers them. Shared by the property test and the play fuzzer; it needs
// nothing but the core and the fakes.

#include "app/t_form1.h"
#include "fakes.h"
#include "model/failure.h"
#include "model/random.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zem::test {

// What ended the last game, which tells the four screens apart.
enum class Phase { Idle, Running, Stopped, Finished };

inline const char *phaseName(Phase p) {
    constexpr const char *names[] = {"idle", "running", "stopped", "finished"};
    return names[int(p)];
}

// One character as FormKeyPress saw it, for checking the judge's rule.
struct JudgedKey {
    char typed;
    std::int32_t halted;
    std::string target;
    std::int32_t strokesBefore, missesBefore, strokesAfter, missesAfter;
    std::string targetAfter;
};

// How a stream plays; drawn once per stream so that streams differ in kind:
// careful typists finish courses, key mashers mostly miss, a stream without
// ticks finishes inside the first second.
struct PlayStyle {
    int correctPercent = 70; // a typed key is the next letter
    int tickPercent = 8;     // an event is a clock tick
    int longCoursePercent = 5;
};

class RandomPlay {
public:
    RandomPlay(TForm1 &form, FakeClock &clock, Random &choose)
        : f_(form), clock_(clock), r_(choose) {
        style_.correctPercent = pick({10, 60, 85, 97});
        style_.tickPercent = pick({0, 3, 8, 25});
        style_.longCoursePercent = pick({0, 5, 30});
    }

    // One event of a player or of the timer.
    void step() {
        judged_.clear();
        const int roll = r_.below(100);
        if (roll < style_.tickPercent)
            tick();
        else if (m().isShown(f_.Button1) && roll < style_.tickPercent + 6)
            idleAction();
        else if (roll < 97)
            typeOneKey();
        else
            rareKey();
    }

    Phase phase() const { return phase_; }
    // Whether a clock tick has come since the phase last changed.
    bool ticked() const { return ticked_; }
    int failures() const { return failures_; }
    // The characters the game judged during the last step, in order.
    const std::vector<JudgedKey> &judged() const { return judged_; }
    // The last events, newest last, for a failure message.
    std::string recent() const {
        std::string s;
        for (const std::string &e : log_)
            s += e + "; ";
        return s;
    }

private:
    WindowModel &m() { return f_.model(); }
    int pick(std::initializer_list<int> values) {
        return values.begin()[r_.below(int(values.size()))];
    }
    void note(std::string event) {
        log_.push_back(std::move(event));
        if (log_.size() > 16)
            log_.pop_front();
    }

    // Runs a handler the way the presenter does: a Failure ends the handler
    // and the game goes on. The phase follows from which handler started or
    // stopped the clock; any other change of it is left for the checks.
    enum class By { Start, KeyDown, KeyPress, Other };
    void run(By by, const std::function<void()> &handler) {
        const bool wasRunning = f_.state().ClockRunning == 1;
        try {
            handler();
        } catch (const Failure &e) {
            ++failures_;
            note(std::string("failed: ") + e.what());
        }
        const bool running = f_.state().ClockRunning == 1;
        const Phase was = phase_;
        if (running && !wasRunning && by == By::Start)
            phase_ = Phase::Running;
        else if (!running && wasRunning && by == By::KeyDown)
            phase_ = Phase::Stopped;
        else if (!running && wasRunning && by == By::KeyPress)
            phase_ = Phase::Finished;
        if (phase_ != was)
            ticked_ = false;
    }

    void clickStart() {
        note("click START");
        m().setFocus(f_.Button1); // a click gives the button the focus first
        run(By::Start, [&] { f_.Button1Click(); });
    }

    // Key-down and key-up go where the focus is when they are taken from the
    // queue; characters go where their key-down went.
    ControlId keyDown(std::uint16_t vk) {
        const ControlId target = m().focus();
        if (target == kWindow) {
            run(By::KeyDown, [&] { f_.FormKeyDown(vk, 0); });
        } else if (vk == '\t') {
            moveFocusOn();
        } else if (vk == '\r' && target == f_.Button1) {
            note("Enter presses START");
            run(By::Start, [&] { f_.Button1Click(); });
        }
        return target;
    }
    void character(char c, ControlId target) {
        if (target != kWindow)
            return;
        const GameState &s = f_.state();
        JudgedKey k{c, s.Halted, s.TargetRomaji, s.StrokeCount, s.MissCount, 0, 0, {}};
        char key = c;
        run(By::KeyPress, [&] { f_.FormKeyPress(key); });
        k.strokesAfter = s.StrokeCount;
        k.missesAfter = s.MissCount;
        k.targetAfter = s.TargetRomaji;
        judged_.push_back(std::move(k));
    }
    void keyUp(std::uint16_t vk, ControlId downTarget) {
        if (m().windowHasFocus()) {
            run(By::Other, [&] { f_.FormKeyUp(vk, 0); });
        } else if (vk == ' ' && downTarget == f_.Button1 && m().focus() == f_.Button1) {
            note("Space presses START");
            run(By::Start, [&] { f_.Button1Click(); });
        }
    }

    void moveFocusOn() {
        const std::vector<ControlId> stops = m().tabStops();
        std::size_t i = 0;
        while (i < stops.size() && stops[i] != m().focus())
            ++i;
        if (!stops.empty())
            m().setFocus(stops[(i + 1) % stops.size()]);
        note("Tab moves the focus");
    }

    static std::uint16_t virtualKey(char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 'a' && b <= 'z') ? std::uint16_t(b - 'a' + 'A') : std::uint16_t(b);
    }

    char someCharacter() {
        const std::string &t = f_.state().TargetRomaji;
        if (!t.empty() && r_.below(100) < style_.correctPercent)
            return r_.below(4) == 0 ? char(t.front() - 'A' + 'a') : t.front();
        return char(r_.below(256));
    }

    // A plain key, sometimes held so that it repeats before its one key-up.
    void typeOneKey() {
        char c = someCharacter();
        if (m().isShown(f_.Button1) && r_.below(4) == 0)
            c = r_.below(2) ? ' ' : '\r';
        const int repeats = r_.below(12) == 0 ? 2 + r_.below(3) : 1;
        note("key " + std::to_string(static_cast<unsigned char>(c)) + " x" +
             std::to_string(repeats));
        ControlId target = kWindow;
        for (int i = 0; i < repeats; ++i) {
            target = keyDown(virtualKey(c));
            character(c, target);
            if (i + 1 < repeats && f_.state().TargetRomaji.size() > 1 && r_.below(2))
                c = f_.state().TargetRomaji.front();
        }
        keyUp(virtualKey(c), target);
    }

    void rareKey() {
        switch (r_.below(5)) {
        case 0: { // Escape makes a character too
            note("Escape");
            const ControlId target = keyDown(kVkEscape);
            character(27, target);
            keyUp(kVkEscape, target);
            break;
        }
        case 1: { // Shift alone: no character
            note("Shift");
            const ControlId target = keyDown(16);
            keyUp(16, target);
            break;
        }
        case 2: { // an input method commits two bytes for one key-down
            note("two-byte commit");
            const ControlId target = keyDown(229);
            character(char(0x82), target);
            character(char(0xA0 + r_.below(0x40)), target);
            keyUp(229, target);
            break;
        }
        case 3: {
            note("Tab");
            const ControlId target = keyDown('\t');
            character('\t', target);
            keyUp('\t', target);
            break;
        }
        default: // the window is switched away from and back
            note("window activated");
            m().activate();
        }
    }

    void tick() {
        std::int64_t ms = 200 + r_.below(1300);
        switch (r_.below(20)) {
        case 0: // asleep for a while
            ms = std::int64_t(r_.below(600)) * 1000 + r_.below(1000);
            break;
        case 1: // many hours
            ms = std::int64_t(r_.below(20)) * 3'600'000 + r_.below(3'600'000);
            break;
        case 2: // the wall clock set to just before midnight
            clock_.localMs = 86'400'000 - 1 - r_.below(3000);
            break;
        }
        clock_.localMs = (clock_.localMs + ms) % 86'400'000;
        clock_.monotonicMs += ms;
        note("tick +" + std::to_string(ms) + " ms");
        run(By::Other, [&] { f_.Timer1Timer(); });
        ticked_ = true;
    }

    // What a player does between games, with the mouse or the keyboard.
    void idleAction() {
        switch (r_.below(4)) {
        case 0:
            clickStart();
            break;
        case 1: {
            int index = r_.below(100) < style_.longCoursePercent ? r_.below(20) : r_.below(2);
            note("course " + std::to_string(index));
            m().setFocus(f_.ComboBox1);
            if (m().itemIndex(f_.ComboBox1) != index) {
                m().setItemIndex(f_.ComboBox1, index);
                run(By::Other, [&] { f_.ComboBox1Change(); });
            }
            break;
        }
        default: {
            const bool proverbs = r_.below(2) == 0;
            const ControlId button = proverbs ? f_.RadioButton1 : f_.RadioButton2;
            note(proverbs ? "click ことわざ" : "click 単語");
            m().setFocus(button);
            if (m().clickRadio(button))
                run(By::Other, [&] { proverbs ? f_.RadioButton1Click() : f_.RadioButton2Click(); });
        }
        }
    }

    TForm1 &f_;
    FakeClock &clock_;
    Random &r_;
    PlayStyle style_;
    Phase phase_ = Phase::Idle;
    bool ticked_ = false;
    int failures_ = 0;
    std::vector<JudgedKey> judged_;
    std::deque<std::string> log_;
};

} // namespace zem::test
