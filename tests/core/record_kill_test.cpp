#include "fakes.h"
#include "records/disk_record_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace zem::test {
namespace {

using Clock = std::chrono::steady_clock;

// The child's whole life: saves the two versions in turn until it is killed.
[[noreturn]] void saveForever(const std::string &path, const std::string &a, const std::string &b,
                              int readyPipe) {
    DiskRecordFile file(path);
    const char ready = 1;
    if (::write(readyPipe, &ready, 1) != 1)
        ::_exit(2);
    for (int n = 0;; ++n)
        if (!file.write(n % 2 == 0 ? b : a))
            ::_exit(1);
}

// Waits without sleeping, so the kill lands at a moment of our choosing.
void spin(Clock::duration wait) {
    const Clock::time_point end = Clock::now() + wait;
    while (Clock::now() < end) {
    }
}

// Kills a process that saves in a loop at random moments; whatever moment
// the kill hits, the file holds one whole version, never a mix or a stump,
// and whatever new file the save had named is gone after the next load.
TEST(RecordFileKilledWhileSaving, AlwaysHoldsOneWholeVersion) {
    TempDir dir(fastBase());
    const std::string path = dir / "hiscore.dat";
    const std::string a = freshRecords();
    std::map<int, std::string> many;
    for (int n = 0; n < 2000; ++n)
        many[n] = std::to_string(n * 7 % 1000) + ".5";
    const std::string b = recordFile(many, 2000);

    DiskRecordFile file(path);
    const Clock::time_point before = Clock::now();
    for (int n = 0; n < 10; ++n)
        ASSERT_TRUE(file.write(n % 2 == 0 ? b : a));
    const auto oneSave = (Clock::now() - before) / 10;

    std::mt19937 random(20240607);
    std::uniform_int_distribution<Clock::rep> moment(0, 3 * oneSave.count());
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(2);
    int round = 0;
    int leftovers = 0;
    for (; round < 200 && Clock::now() < deadline; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            saveForever(path, a, b, ready[1]);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        spin(Clock::duration(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "a save failed in round " << round;
        const std::string now = readFile(path);
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        leftovers += dir.names().size() > 1 ? 1 : 0;
        ASSERT_TRUE(DiskRecordFile(path).read());
        ASSERT_EQ(dir.names(), std::set<std::string>{"hiscore.dat"}) << "round " << round;
    }
    RecordProperty("rounds", round);
    RecordProperty("leftovers", leftovers);
}

} // namespace
} // namespace zem::test
