#include "texts/text_file.h"

#include "lists/list_message.h"
#include "lists/phrase_file.h"
#include "lists/text_encoding.h"
#include "model/fnv.h"
#include "model/regular_file.h"

#include <utility>

namespace zem {

namespace {

TextFile refused(const std::string &name, const std::string &why) {
    TextFile file;
    file.refusal = "文章ファイル「" + name + "」は使えません。\n" + why;
    return file;
}

} // namespace

std::uint64_t contentHash(std::string_view bytes) {
    return fnv1a64(bytes);
}

TextFile readTextBytes(std::string_view bytes, const std::string &name) {
    if (bytes.size() > kMaxTextBytes)
        return refused(name, fileFault(RegularFile::Fault::TooLarge, kMaxTextBytes));
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
    const std::string name = listName(path);
    const RegularFile file = readRegularFile(path, kMaxTextBytes);
    if (file.fault != RegularFile::Fault::None)
        return refused(name, fileFault(file.fault, kMaxTextBytes));
    return readTextBytes(file.bytes, name);
}

} // namespace zem
