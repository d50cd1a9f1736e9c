#include "texts/text_file.h"

#include "lists/phrase_file.h"
#include "lists/text_encoding.h"
#include "model/regular_file.h"

#include <utility>

namespace zem {

namespace {

TextFile refused(const std::string &name, const std::string &why) {
    TextFile file;
    file.refusal = "文章ファイル「" + name + "」は使えません。\n" + why;
    return file;
}

std::string tooLarge() {
    return "ファイルが大きすぎます (最大 " + std::to_string(kMaxTextBytes / (1024 * 1024)) + " MB)";
}

} // namespace

std::uint64_t contentHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

TextFile readTextBytes(std::string_view bytes, const std::string &name) {
    if (bytes.size() > kMaxTextBytes)
        return refused(name, tooLarge());
    const std::optional<std::string> text = decodeText(bytes);
    if (!text)
        return refused(name, "テキストファイルではありません (UTF-8 か Shift_JIS で保存します)");
    TextBook book = TextBook::parse(*text, name);
    if (book.sentenceCount() == 0)
        return refused(name, "文がひとつもありません");
    TextFile file;
    file.book = std::move(book);
    file.contentHash = contentHash(bytes);
    return file;
}

TextFile readTextFile(const std::string &path) {
    using Fault = RegularFile::Fault;
    const std::string name = listName(path);
    const RegularFile file = readRegularFile(path, kMaxTextBytes);
    switch (file.fault) {
    case Fault::CannotOpen:
        return refused(name, "ファイルを開けません");
    case Fault::NotRegular:
        return refused(name, "ふつうのファイルではありません");
    case Fault::TooLarge:
        return refused(name, tooLarge());
    case Fault::CannotRead:
        return refused(name, "ファイルを読めません");
    case Fault::None:
        break;
    }
    return readTextBytes(file.bytes, name);
}

} // namespace zem
