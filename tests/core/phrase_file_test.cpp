#include "lists/phrase_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace zem::test {
namespace {

TEST(ShippedList, PrefecturesParseWhole) {
    const ListResult result = readPhraseFile(ZEM_SHIPPED_LISTS "/都道府県.txt");
    ASSERT_TRUE(result.list) << result.message;
    EXPECT_EQ(result.list->name, "都道府県");
    EXPECT_EQ(result.list->phrases.size(), 47u);
}

TEST(PhraseFilePath, NameIsTheBaseNameWithoutItsExtension) {
    const std::pair<const char *, const char *> cases[] = {
        {"/usr/share/lists/都道府県.txt", "都道府県"},
        {"week.3.txt", "week.3"},
        {"/home/a/.words", ".words"},
        {"/home/a.b/words", "words"},
    };
    for (const auto &[path, name] : cases)
        EXPECT_EQ(listName(path), name) << path;
}

// What is not a readable file of a fitting size is refused unread, by its name.
TEST(PhraseFilePath, RefusesWhatIsNoFileOfAFittingSize) {
    const TempDir dir;
    writeFile(dir / "ok.txt", "ねこ\n");
    std::filesystem::resize_file(dir / "ok.txt", kMaxListBytes + 1);
    std::filesystem::create_directory(dir / "folder.txt");
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    const std::pair<std::string, const char *> cases[] = {
        {dir / "ok.txt", "ファイルが大きすぎます (最大 1 MB)"},
        {dir / "gone.txt", "ファイルを開けません"},
        {dir / "folder.txt", "ふつうのファイルではありません"},
        {dir / "pipe.txt", "ふつうのファイルではありません"},
    };
    for (const auto &[path, why] : cases) {
        const ListResult result = readPhraseFile(path);
        EXPECT_FALSE(result.list) << path;
        EXPECT_EQ(result.problems, (std::vector<ListProblem>{{0, why}})) << path;
        EXPECT_EQ(result.message,
                  std::string("問題ファイル「") + listName(path) + "」は使えません。\n" + why)
            << path;
    }
}

} // namespace
} // namespace zem::test
