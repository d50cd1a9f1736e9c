#include "fakes.h"
#include "records/disk_record_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zem::test {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

// Root may write any folder, so folder rights are tried by a player without
// them: as root, the save runs in a child that has become "nobody".
constexpr uid_t kNobody = 65534;

bool asRoot() {
    return ::geteuid() == 0;
}

struct stat statOf(const std::string &path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

void own(const std::string &path, bool byRoot, unsigned mode) {
    if (asRoot() && ::chown(path.c_str(), byRoot ? 0 : kNobody, byRoot ? 0 : kNobody) != 0)
        throw std::runtime_error("cannot hand " + path + " over");
    fs::permissions(path, fs::perms(mode));
}

// Saves in a child process, as the player when the test runs as root.
bool saveAsPlayer(const std::string &path, const std::string &bytes) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (asRoot() &&
            (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
             ::setresuid(kNobody, kNobody, kNobody) != 0))
            ::_exit(2);
        ::_exit(DiskRecordFile(path).write(bytes) ? 0 : 1);
    }
    int status = -1;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

struct SharedCase {
    const char *name;
    bool folderNotOurs; // root's 0755 folder; without root, our own 0555 one
    bool fileNotOurs;   // root's 0666 file: only root can make one
    bool secondLink;
};

void PrintTo(const SharedCase &c, std::ostream *os) {
    *os << c.name;
}

class SharedRecordFile : public testing::TestWithParam<SharedCase> {};

TEST_P(SharedRecordFile, PlayerSavesInPlaceAndTheFileStaysTheSame) {
    const SharedCase &c = GetParam();
    if (c.fileNotOurs && !asRoot())
        GTEST_SKIP() << "only root can give a file to another user";
    TempDir dir;
    fs::permissions(dir / ".", fs::perms(0755));
    const std::string games = dir / "games";
    const std::string path = games + "/hiscore.dat";
    fs::create_directory(games);
    writeFile(path, freshRecords());
    own(path, c.fileNotOurs, c.fileNotOurs ? 0666 : 0644);
    if (c.secondLink)
        fs::create_hard_link(path, games + "/copy.dat");
    own(games, c.folderNotOurs, c.folderNotOurs && !asRoot() ? 0555 : 0755);
    const struct stat before = statOf(path);

    const std::string records = recordFile({{0, "127.7"}});
    EXPECT_TRUE(saveAsPlayer(path, records));
    fs::permissions(games, fs::perms(0755));

    EXPECT_EQ(readFile(path), records);
    const struct stat after = statOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    Names names{"hiscore.dat"};
    if (c.secondLink) {
        EXPECT_EQ(readFile(games + "/copy.dat"), records);
        names.insert("copy.dat");
    }
    EXPECT_EQ(dir.names("games"), names);
}

INSTANTIATE_TEST_SUITE_P(Folders, SharedRecordFile,
                         testing::Values(SharedCase{"SharedGamesFolder", true, true, false},
                                         SharedCase{"FolderNotWritable", true, false, false},
                                         SharedCase{"AnotherPlayersFile", false, true, false},
                                         SharedCase{"SecondHardLink", false, false, true}),
                         [](const testing::TestParamInfo<SharedCase> &info) {
                             return info.param.name;
                         });

} // namespace
} // namespace zem::test
