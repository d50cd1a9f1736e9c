// Two copies of the game open at once on one hiscore.dat.
#include "fakes.h"
#include "records/disk_record_file.h"
#include "records/record_book.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace zem::test {
namespace {

// The second copy was started before the first set its record: its slower
// game is no record, and its label shows the file's best.
TEST(TwoCopies, ASlowerGameThanTheOtherCopysSavedBestIsNoRecord) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    DiskRecordFile fileA(path), fileB(path);
    FormFixture a(fileA), b(fileB);
    ASSERT_EQ(b.playCourse(4), std::nullopt); // 1500
    EXPECT_EQ(b.text("Label1"), "記録更新だ!!");
    ASSERT_EQ(a.playCourse(10), std::nullopt); // 600
    EXPECT_EQ(a.text("Label1"), "100打だ!!");
    EXPECT_EQ(a.text("Label12"), "1500打/分");
    EXPECT_FALSE(a.history.games.back().newRecord);
    EXPECT_EQ(readFile(path), recordFile({{0, "1500"}}));
}

// Each copy raises the best of its own course again and again, saving at
// the same moments as the other: a save made between another copy's read
// and its write, or one that wrote back only its own course, would take
// back the other's latest best.
TEST(TwoCopies, SavingAtTheSameTimeLosesNoBest) {
    TempDir dir(fastBase());
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    constexpr int kCopies = 2, kRounds = 300;
    pid_t copies[kCopies];
    for (int course = 0; course < kCopies; ++course) {
        copies[course] = ::fork();
        ASSERT_GE(copies[course], 0);
        if (copies[course] != 0)
            continue;
        Control word, proverb;
        word.name = "Label12";
        proverb.name = "Label13";
        WindowModel model({word, proverb});
        DiskRecordFile file(path);
        RecordBook book(model, file);
        book.load();
        for (int speed = 1; speed <= kRounds; ++speed) {
            const RecordCheck checked = book.check(course, RecordMode::Word, speed);
            if (!checked.record || checked.failure)
                ::_exit(1);
        }
        ::_exit(0);
    }
    for (pid_t copy : copies) {
        int status = -1;
        ASSERT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string last = std::to_string(kRounds);
    EXPECT_EQ(readFile(path), recordFile({{0, last}, {1, last}}));
}

} // namespace
} // namespace zem::test
