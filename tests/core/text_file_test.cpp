#include "temp_dir.h"
#include "texts/mecab_analyser.h"
#include "texts/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <utility>

namespace zem::test {
namespace {

constexpr const char *kSample = ZEM_SHIPPED_TEXTS "/指が覚えるまで.txt";

std::string refusal(const std::string &name, const std::string &why) {
    return "文章ファイル「" + name + "」は使えません。\n" + why;
}

// What is no readable text is refused, by the file's name and the reason.
TEST(TextFile, RefusesWhatIsNoTextFileOfAFittingSize) {
    const TempDir dir;
    writeFile(dir / "big.txt", "ねこ。");
    std::filesystem::resize_file(dir / "big.txt", kMaxTextBytes + 1);
    std::filesystem::create_directory(dir / "folder.txt");
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    writeFile(dir / "binary.txt", std::string("ねこ\0", 7));
    writeFile(dir / "empty.txt", "");
    writeFile(dir / "blank.txt", "\xEF\xBB\xBF　\r\n \n");
    const std::pair<std::string, const char *> cases[] = {
        {"big", "ファイルが大きすぎます (最大 10 MB)"},
        {"gone", "ファイルを開けません"},
        {"folder", "ふつうのファイルではありません"},
        {"pipe", "ふつうのファイルではありません"},
        {"binary", "テキストファイルではありません (UTF-8 か Shift_JIS で保存します)"},
        {"empty", "文がひとつもありません"},
        {"blank", "文がひとつもありません"},
    };
    for (const auto &[name, why] : cases) {
        const TextFile file = readTextFile(dir / (name + ".txt"));
        EXPECT_FALSE(file.book) << name;
        EXPECT_EQ(file.refusal, refusal(name, why));
    }
}

TEST(TextFile, ShiftJisAndUtf8WithABomReadAlikeTitledByTheName) {
    // 犬。 and ネコ in code page 932, then in UTF-8 after a BOM.
    for (const std::string bytes :
         {"\x8C\xA2\x81\x42\r\n\x83\x6C\x83\x52", "\xEF\xBB\xBF犬。\r\nネコ"}) {
        const TextFile file = readTextBytes(bytes, "名前");
        ASSERT_TRUE(file.book) << file.refusal;
        EXPECT_EQ(file.refusal, "");
        EXPECT_EQ(file.book->title(), "名前");
        ASSERT_EQ(file.book->sentenceCount(), 2u);
        EXPECT_EQ(file.book->sentence(0).text, "犬。");
        EXPECT_EQ(file.book->sentence(1).text, "ネコ");
        EXPECT_EQ(file.contentHash, contentHash(bytes));
    }
}

// FNV-1a's published values, and the hash is of the bytes, not of the text.
TEST(TextFile, ContentHashIsFnv1aOfTheBytes) {
    EXPECT_EQ(contentHash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(contentHash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(contentHash("foobar"), 0x85944171f73967e8ull);
    const TempDir dir;
    writeFile(dir / "a.txt", "ねこ。");
    EXPECT_EQ(readTextFile(dir / "a.txt").contentHash, contentHash("ねこ。"));
}

TEST(TextFile, ShippedSampleHasItsHeaderTitleAndEverySentenceReads) {
    const TextFile file = readTextFile(kSample);
    ASSERT_TRUE(file.book) << file.refusal;
    EXPECT_EQ(file.book->title(), "指が覚えるまで");
    EXPECT_EQ(file.book->sentenceCount(), 35u);
    std::string why;
    const std::unique_ptr<ReadingAnalyser> mecab = openMecab(why);
    if (!mecab)
        GTEST_SKIP() << why;
    for (std::size_t i = 0; i < file.book->sentenceCount(); ++i) {
        LeftOut leftOut = LeftOut::No;
        EXPECT_FALSE(file.book->phrasesOf(i, mecab.get(), &leftOut).empty())
            << file.book->sentence(i).text << " left out: " << int(leftOut);
    }
}

} // namespace
} // namespace zem::test
