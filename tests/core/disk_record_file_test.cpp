#include "failing_file_ops.h"
#include "fakes.h"
#include "records/disk_record_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem::test {
namespace {

namespace fs = std::filesystem;
using Step = FailingFileOps::Step;
using Names = std::set<std::string>;

const char *const kCannotCreate = "ファイル hiscore.dat を作成できません";

unsigned permissionsOf(const std::string &path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

ino_t inodeOf(const std::string &path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

struct FailureCase {
    const char *name;
    Step step;
    int exchangeError = 0;
    bool notOwner = false; // which makes the save rewrite in place
};

void PrintTo(const FailureCase &c, std::ostream *os) {
    *os << c.name;
}

class FailedSave : public testing::TestWithParam<FailureCase> {
protected:
    TempDir dir;
    FailingFileOps ops;
};

TEST_P(FailedSave, KeepsTheOldFileLeavesNoTraceAndTheNextSaveWritesTheStore) {
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    DiskRecordFile disk(path, ops);
    ops.exchangeError = GetParam().exchangeError;
    ops.notOwner = GetParam().notOwner;
    FormFixture f(disk);
    ops.failAt = GetParam().step;
    EXPECT_EQ(f.playCourse(47), kCannotCreate);
    EXPECT_EQ(readFile(path), freshRecords());
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
    EXPECT_EQ(f.text("Label12"), "127.7打/分");

    ops.failAt = Step::None;
    f.escape();
    f.tick();
    f.pickProverbs();
    ASSERT_EQ(f.playCourse(60), std::nullopt);
    EXPECT_EQ(readFile(path), recordFile({{0, "127.7"}, {20, "100"}}));
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedSave,
    testing::Values(FailureCase{"Create", Step::Create}, FailureCase{"Write", Step::Write},
                    FailureCase{"Sync", Step::Sync}, FailureCase{"Close", Step::Close},
                    FailureCase{"Exchange", Step::Rename},
                    FailureCase{"SyncDirectoryAfterExchange", Step::SyncDirectory},
                    FailureCase{"RenameWhereSwapRefused", Step::Rename, EPERM},
                    FailureCase{"OpenInPlace", Step::Open, 0, true}),
    [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

TEST(DiskRecordFile, WithoutExchangeAFailedDirectorySyncIsReportedButNotUndone) {
    TempDir dir;
    FailingFileOps ops;
    ops.exchangeError = ENOSYS;
    ops.failAt = Step::SyncDirectory;
    DiskRecordFile disk(dir / "hiscore.dat", ops);
    writeFile(dir / "hiscore.dat", "old");
    EXPECT_FALSE(disk.write("new"));
    EXPECT_EQ(readFile(dir / "hiscore.dat"), "new");
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
}

// Which way a save takes, told by whether the file keeps its inode.
struct WayCase {
    const char *name;
    bool inPlace;
    bool notOwner = false;
    unsigned extraLinks = 0;
    bool folderReadOnly = false;
    int exchangeError = 0;
    int renameError = 0;
};

void PrintTo(const WayCase &c, std::ostream *os) {
    *os << c.name;
}

class SaveWay : public testing::TestWithParam<WayCase> {};

TEST_P(SaveWay, SavesTheWholeTextTheWayThatKeepsTheFile) {
    const WayCase &c = GetParam();
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    const ino_t before = inodeOf(path);
    FailingFileOps ops;
    ops.notOwner = c.notOwner;
    ops.extraLinks = c.extraLinks;
    ops.folderReadOnly = c.folderReadOnly;
    ops.exchangeError = c.exchangeError;
    ops.renameError = c.renameError;
    EXPECT_TRUE(DiskRecordFile(path, ops).write("1\r\n2"));
    EXPECT_EQ(readFile(path), "1\r\n2");
    EXPECT_EQ(inodeOf(path) == before, c.inPlace);
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveWay,
    testing::Values(WayCase{"OwnFileReplaced", false}, WayCase{"NotOwnerInPlace", true, true},
                    WayCase{"SecondLinkInPlace", true, false, 1},
                    WayCase{"FolderReadOnlyInPlace", true, false, 0, true},
                    WayCase{"SwapRefusedEPERMRenamed", false, false, 0, false, EPERM},
                    WayCase{"SwapUnsupportedENOSYSRenamed", false, false, 0, false, ENOSYS},
                    WayCase{"SwapAndRenameRefusedInPlace", true, false, 0, false, EPERM, EPERM}),
    [](const testing::TestParamInfo<WayCase> &info) { return info.param.name; });

TEST(DiskRecordFile, SaveReplacesTheWholeFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, std::string(5000, 'x'));
    fs::permissions(path, fs::perms(0640));
    DiskRecordFile disk(path);
    EXPECT_TRUE(disk.write("1\r\n2"));
    EXPECT_EQ(disk.read(), "1\r\n2");
    EXPECT_EQ(permissionsOf(path), 0640u);
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
}

TEST(DiskRecordFile, ReadOnlyFileIsKeptEvenForRoot) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    fs::permissions(path, fs::perms(0444));
    DiskRecordFile disk(path);
    FormFixture f(disk);
    EXPECT_EQ(f.playCourse(47), kCannotCreate);
    EXPECT_EQ(readFile(path), freshRecords());
    EXPECT_EQ(permissionsOf(path), 0444u);
    EXPECT_EQ(dir.names(), Names{"hiscore.dat"});
}

TEST(DiskRecordFile, LinkIsKeptAndTheFileAtItsEndReplaced) {
    TempDir dir;
    fs::create_directory(dir / "keep");
    writeFile(dir / "keep/real.dat", "old");
    fs::create_symlink("real.dat", dir / "keep/link"); // relative to keep/
    fs::create_symlink("keep/link", dir / "hiscore.dat");
    DiskRecordFile disk(dir / "hiscore.dat");
    EXPECT_EQ(disk.read(), "old");
    EXPECT_TRUE(disk.write("new"));
    EXPECT_EQ(fs::read_symlink(dir / "hiscore.dat"), "keep/link");
    EXPECT_EQ(fs::read_symlink(dir / "keep/link"), "real.dat");
    EXPECT_EQ(readFile(dir / "keep/real.dat"), "new");
    EXPECT_EQ(dir.names(), (Names{"hiscore.dat", "keep"}));
    EXPECT_EQ(dir.names("keep"), (Names{"link", "real.dat"}));
}

// Another running game holds the lock on its new file until it is in place.
TEST(DiskRecordFile, LoadRemovesWhatAKilledSaveLeftButNoRunningSavesFile) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, freshRecords());
    for (const char *name : {"hiscore.dat.new-1-0", "hiscore.dat.new-2-0", "hiscore.dat.new-old"})
        writeFile(dir / name, "1");
    const int running = ::open((dir / "hiscore.dat.new-2-0").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    EXPECT_EQ(DiskRecordFile(path).read(), freshRecords());
    ::close(running);
    EXPECT_EQ(dir.names(), (Names{"hiscore.dat", "hiscore.dat.new-2-0", "hiscore.dat.new-old"}));
}

TEST(DiskRecordFile, RefusesWhatIsNoFile) {
    TempDir dir;
    DiskRecordFile missing(dir / "hiscore.dat");
    EXPECT_EQ(missing.read(), std::nullopt);

    fs::create_directory(dir / "folder");
    DiskRecordFile folder(dir / "folder");
    EXPECT_EQ(folder.read(), std::nullopt);
    EXPECT_FALSE(folder.write("1"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));

    fs::create_symlink("loop", dir / "loop");
    DiskRecordFile loop(dir / "loop");
    EXPECT_EQ(loop.read(), std::nullopt);
    EXPECT_FALSE(loop.write("1"));
    EXPECT_EQ(dir.names(), (Names{"folder", "loop"}));
}

TEST(DiskRecordFile, ReadsUpToOneMebibyte) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    writeFile(path, std::string(DiskRecordFile::kMaxBytes, '0'));
    EXPECT_EQ(DiskRecordFile(path).read()->size(), DiskRecordFile::kMaxBytes);
}

TEST(DiskRecordFile, LargerFileIsRefusedLikeAnUnreadableOneAndNeverRewritten) {
    TempDir dir;
    const std::string path = dir / "hiscore.dat";
    const std::string big = freshRecords() + std::string(DiskRecordFile::kMaxBytes, ' ');
    writeFile(path, big);
    DiskRecordFile disk(path);
    FormFixture f(disk);
    EXPECT_EQ(f.startFailure, "ファイル hiscore.dat は開けません");
    EXPECT_EQ(f.playCourse(47), "'' は浮動小数点数ではありません");
    EXPECT_EQ(readFile(path), big);
}

} // namespace
} // namespace zem::test
