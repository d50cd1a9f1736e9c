// The program runs under the player's locale (Qt sets it from the
// environment at start-up); its numbers must keep "." all the same.
#include "fakes.h"
#include "model/speed_text.h"
#include "records/number.h"
#include "temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zem::test {
namespace {

// A locale compiled from the system's sources into a private folder, made
// the process's locale for one test and undone after it.
class UnderLocale : public testing::TestWithParam<const char *> {
protected:
    void SetUp() override {
        const std::string name = std::string(GetParam()) + ".UTF-8";
        const std::string command = "localedef -i " + std::string(GetParam()) + " -f UTF-8 " +
                                    (dir_ / name) + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            GTEST_SKIP() << "localedef cannot make " << name
                         << " (it needs /usr/share/i18n, from the Debian package locales)";
        if (const char *path = std::getenv("LOCPATH"))
            oldLocPath_ = path;
        ::setenv("LOCPATH", (dir_ / "").c_str(), 1);
        oldLocale_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, name.c_str()))
            GTEST_SKIP() << "setlocale refuses " << name << " made by localedef";
        active_ = true;
    }
    void TearDown() override {
        if (active_)
            std::setlocale(LC_ALL, oldLocale_.c_str());
        if (oldLocPath_)
            ::setenv("LOCPATH", oldLocPath_->c_str(), 1);
        else
            ::unsetenv("LOCPATH");
    }

private:
    TempDir dir_;
    std::string oldLocale_;
    std::optional<std::string> oldLocPath_;
    bool active_ = false;
};

TEST_P(UnderLocale, SpeedsAreWrittenAndReadWithAPoint) {
    ASSERT_STRNE(std::localeconv()->decimal_point, ".") << "the locale is not in effect";
    EXPECT_EQ(SpeedText(127.659574), "127.7");
    EXPECT_EQ(SpeedText(0.0915541), "0.09155");
    EXPECT_EQ(SpeedText(1234.5), "1235");
    EXPECT_EQ(parseNumber(" 1.25e2 "), 125.0);

    // A record stored and read back: the same speed again is no record, so
    // the line read as 127.7, not as 127.
    FormFixture f;
    ASSERT_EQ(f.playCourse(47), std::nullopt);
    EXPECT_EQ(f.text("Label5"), "127.7打/分");
    EXPECT_EQ(f.file.content->substr(0, 7), "127.7\r\n");
    ASSERT_EQ(f.playCourse(47), std::nullopt);
    EXPECT_EQ(f.text("Label1"), "100打だ!!");
    EXPECT_EQ(f.file.writes, 1);
}

// German writes a comma; Pashto writes U+066B, two bytes in UTF-8.
INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale, testing::Values("de_DE", "ps_AF"),
                         [](const auto &info) { return std::string(info.param); });

} // namespace
} // namespace zem::test
