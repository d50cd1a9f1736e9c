#include "play_checks.h"
#include "random_play.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// How many streams ended which way, so that a driver that stopped reaching
// the interesting states fails instead of passing idly.
struct Tally {
    int starts = 0, stops = 0, finishes = 0, failures = 0, records = 0, midnight = 0;
};

// One stream: a fresh window with its own seed, `events` random events, the
// checks after each. Returns false at the first broken rule.
bool playStream(std::uint32_t seed, int events, std::optional<std::string> records, bool unwritable,
                Tally &tally) {
    FakeClock clock;
    clock.utcMs = seed;
    clock.localMs = std::int64_t(seed) * 7919 % 86'400'000;
    MersenneRandom phrases;
    MemoryRecordFile file;
    file.content = std::move(records);
    file.failWrites = unwritable;
    TForm1 form(clock, phrases, file);
    form.FormCreate();
    form.model().activate();

    MersenneRandom choose;
    choose.seed(seed);
    RandomPlay play(form, clock, choose);
    PlayChecks checks(form, file);
    for (int e = 0; e < events; ++e) {
        const Phase was = play.phase();
        const auto clockBefore = clock.localMs;
        checks.before();
        play.step();
        const std::string problems = checks.after(play);
        if (!problems.empty()) {
            ADD_FAILURE() << "seed " << seed << ", event " << e << ", " << phaseName(play.phase())
                          << ": " << problems << "\n  last events: " << play.recent();
            return false;
        }
        if (play.phase() != was) {
            tally.starts += play.phase() == Phase::Running;
            tally.stops += play.phase() == Phase::Stopped;
            tally.finishes += play.phase() == Phase::Finished;
        }
        tally.records += was == Phase::Running && form.model().text(form.Label1) == "記録更新だ!!";
        tally.midnight += play.phase() == Phase::Running && clock.localMs < clockBefore;
    }
    tally.failures += play.failures();
    return true;
}

// Valid record files as a player might keep them: other spellings of
// numbers, LF breaks, no final break.
std::string someRecords(std::uint32_t seed) {
    MersenneRandom r;
    r.seed(seed);
    const char *forms[] = {"0", "85", " 85 ", "127.7", "1.2e2", "+60.", "0.5", "300", "2E1"};
    const std::string breaks = seed % 2 ? "\n" : "\r\n";
    std::string s;
    for (int i = 0; i < 40; ++i)
        s += forms[r.below(9)] + (i < 39 || seed % 3 ? breaks : "");
    return s;
}

TEST(RandomPlay, ThousandsOfStreamsKeepScreenCountsAndRecordsConsistent) {
    Tally tally;
    for (std::uint32_t seed = 1; seed <= 2000; ++seed)
        if (!playStream(seed, 300, freshRecords(), false, tally))
            break;
    EXPECT_GT(tally.starts, 2000);
    EXPECT_GT(tally.stops, 200);
    EXPECT_GT(tally.finishes, 200);
    EXPECT_GT(tally.records, 100);
    EXPECT_GT(tally.failures, 10) << "courses typed within the first second";
    EXPECT_GT(tally.midnight, 10);
}

TEST(RandomPlay, StoredRecordsInOtherSpellingsAreComparedAsNumbers) {
    Tally tally;
    for (std::uint32_t seed = 5001; seed <= 5400; ++seed)
        if (!playStream(seed, 300, someRecords(seed), false, tally))
            break;
    EXPECT_GT(tally.finishes, 40);
    EXPECT_GT(tally.records, 10);
}

// A save that cannot create the file fails the completion and the game runs
// on; the record stays in memory, so a later, slower pass can still finish.
TEST(RandomPlay, UnwritableRecordFileNeverChangesAndTheGameGoesOn) {
    Tally tally;
    for (std::uint32_t seed = 9001; seed <= 9300; ++seed)
        if (!playStream(seed, 300, freshRecords(), true, tally))
            break;
    EXPECT_GT(tally.starts, 300);
    EXPECT_GT(tally.failures, 30);
}

} // namespace
} // namespace zem::test
