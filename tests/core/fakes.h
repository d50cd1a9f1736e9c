#pragma once

#include "app/t_form1.h"
#include "model/clock.h"
#include "model/failure.h"
#include "model/random.h"
#include "records/record_file.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zem::test {

// A clock the test moves by hand, in whole milliseconds. Time passing moves
// the wall clock and the monotonic clock alike; a wall-clock step moves only
// the first. The wall clock shows the time of day, turning at midnight.
class FakeClock final : public Clock {
public:
    std::int64_t localMs = 12 * 3'600'000; // noon
    std::int64_t monotonicMs = 777'000;    // not the wall clock's reading
    std::uint32_t utcMs = 1234;
    double localTimeOfDay() override {
        constexpr std::int64_t day = 86'400'000;
        return double((localMs % day + day) % day) / double(day);
    }
    std::uint32_t utcMillisecondsOfDay() override { return utcMs; }
    std::int64_t monotonicMilliseconds() override { return monotonicMs; }
    // The calendar moves with the wall clock: noon is 2026-12-08 12:00 in Tokyo.
    std::int64_t unixAtMidnight = 1'796'655'600;
    std::int32_t utcOffset = 9 * 3600;
    WallTime wallTime() override { return {unixAtMidnight + localMs / 1000, utcOffset}; }
    void advanceSeconds(double s) {
        const auto ms = std::int64_t(s * 1000.0 + 0.5);
        localMs += ms;
        monotonicMs += ms;
    }
    void stepWallClockSeconds(double s) {
        localMs += std::int64_t(s * 1000.0 + (s < 0 ? -0.5 : 0.5));
    }
};

// Hands out queued values, then repeats the last one; remembers its seed.
class FixedRandom final : public Random {
public:
    std::deque<int> next{0};
    std::optional<std::uint32_t> seeded;
    int seeds = 0;
    int draws = 0;
    int lastBound = 0;
    void seed(std::uint32_t s) override {
        seeded = s;
        ++seeds;
    }
    int below(int bound) override {
        ++draws;
        lastBound = bound;
        int v = next.front();
        if (next.size() > 1)
            next.pop_front();
        return v % bound;
    }
};

// The record file in memory; a test can make reading or writing fail.
class MemoryRecordFile final : public RecordFile {
public:
    std::optional<std::string> content;
    bool failWrites = false;
    int writes = 0;
    std::optional<std::string> read() override { return content; }
    bool write(const std::string &bytes) override {
        if (failWrites)
            return false;
        ++writes;
        content = bytes;
        return true;
    }
};

// 40 lines of "0", CR LF: the state without records.
inline std::string freshRecords() {
    std::string s;
    for (int i = 0; i < 40; ++i)
        s += "0\r\n";
    return s;
}

// The key panel (1 to 30) that carries `c` in upper case, 0 for none: the
// on-screen keyboard's three rows, left to right.
inline int keyPanelOf(char c) {
    const std::string layout = "QWERTYUIOPASDFGHJKL;ZXCVBNM,./";
    const char upper = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    const std::size_t at = layout.find(upper);
    return at == std::string::npos ? 0 : int(at) + 1;
}

// `count` lines of "0" with the given ones replaced, each ended by `lineBreak`.
inline std::string recordFile(const std::map<int, std::string> &lines, int count = 40,
                              const std::string &lineBreak = "\r\n") {
    std::string text;
    for (int n = 0; n < count; ++n)
        text += (lines.count(n) ? lines.at(n) : "0") + lineBreak;
    return text;
}

// Keeps every game handed on, in order.
class RecordingHistory final : public GameHistory {
public:
    std::vector<GameRecord> games;
    void keep(GameRecord record) noexcept override { games.push_back(std::move(record)); }
};

// A created form with a fake clock, a fixed generator and fresh records.
struct FormFixture {
    FakeClock clock;
    FixedRandom random;
    MemoryRecordFile file;
    RecordingHistory history;
    std::unique_ptr<TForm1> form;

    // The message of a failed FormCreate; the error box adds the full stop.
    std::optional<std::string> startFailure;

    explicit FormFixture(std::optional<std::string> records = freshRecords()) {
        file.content = std::move(records);
        create(file);
    }
    explicit FormFixture(RecordFile &records) { create(records); }
    void create(RecordFile &records) {
        form = std::make_unique<TForm1>(clock, random, records, history);
        try {
            form->FormCreate();
        } catch (const Failure &f) {
            startFailure = f.what();
        }
        form->model().activate();
    }
    WindowModel &model() { return form->model(); }
    GameState &state() { return form->state(); }
    const std::string &text(const char *name) { return model().text(model().id(name)); }
    bool shown(const char *name) { return model().isShown(model().id(name)); }
    Color color(const char *name) { return model().color(model().id(name)); }
    const Control &at(const char *name) { return model().at(model().id(name)); }

    // Numbers of the key panels (1 to 30) that now show `c`.
    std::vector<int> keysIn(Color c) {
        std::vector<int> keys;
        for (int n = 1; n <= 30; ++n)
            if (color(("Panel" + std::to_string(n)).c_str()) == c)
                keys.push_back(n);
        return keys;
    }

    // One key press as the window delivers it: key-down and character while
    // the window holds the focus, key-up only if it still does at release.
    void press(char c, std::uint16_t vk = 0) {
        if (!model().windowHasFocus())
            return;
        std::uint16_t key = vk ? vk : std::uint16_t(static_cast<unsigned char>(c));
        form->FormKeyDown(key, 0);
        char ch = c;
        form->FormKeyPress(ch);
        release(key);
    }
    void release(std::uint16_t key = 16) {
        if (model().windowHasFocus())
            form->FormKeyUp(key, 0);
    }
    // A key held down: key-down and character, no key-up yet. Holding it
    // longer repeats both.
    void hold(char c) {
        if (!model().windowHasFocus())
            return;
        std::uint16_t key = std::uint16_t(static_cast<unsigned char>(c));
        form->FormKeyDown(key, 0);
        char ch = c;
        form->FormKeyPress(ch);
    }
    // A character already on its way to the window when a handler gave the
    // focus away: it still reaches the judge.
    void stray(char c) {
        char ch = c;
        form->FormKeyPress(ch);
    }
    void escape() { press(27, kVkEscape); }
    void start() { form->Button1Click(); }
    void tick(double seconds = 1.0) {
        clock.advanceSeconds(seconds);
        form->Timer1Timer();
    }
    void pickCourse(int index) {
        model().setItemIndex(model().id("ComboBox1"), index);
        form->ComboBox1Change();
    }
    void pickProverbs() {
        if (model().clickRadio(model().id("RadioButton1")))
            form->RadioButton1Click();
    }
    void pickWords() {
        if (model().clickRadio(model().id("RadioButton2")))
            form->RadioButton2Click();
    }
    // START, a clock tick that counts `seconds` whole seconds, then correct
    // strokes until the course is typed. Returns the message of a failed
    // completion check.
    std::optional<std::string> playCourse(int seconds) {
        form->Button1Click();
        tick(seconds + 0.5);
        try {
            while (state().StrokeCount < state().CourseLength && model().windowHasFocus())
                press(state().TargetRomaji.empty() ? 'A' : state().TargetRomaji.front());
        } catch (const Failure &f) {
            return f.what();
        }
        return std::nullopt;
    }
    // Types the rest of the current phrase correctly, upper case. The last
    // letter's key-up already draws the next phrase, so the letters are
    // taken from the phrase as it stood.
    void typePhrase() {
        const std::string letters = state().TargetRomaji;
        for (char c : letters)
            press(c);
    }
};

} // namespace zem::test
