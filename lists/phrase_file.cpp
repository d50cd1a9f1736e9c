#include "lists/phrase_file.h"

#include "model/regular_file.h"

namespace zem {

std::string listName(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

ListResult readPhraseFile(const std::string &path) {
    using Fault = RegularFile::Fault;
    const std::string name = listName(path);
    const RegularFile file = readRegularFile(path, kMaxListBytes);
    switch (file.fault) {
    case Fault::CannotOpen:
        return refusedList(name, "ファイルを開けません");
    case Fault::NotRegular:
        return refusedList(name, "ふつうのファイルではありません");
    case Fault::TooLarge:
        return refusedList(name, "ファイルが大きすぎます (最大 1 MB)");
    case Fault::CannotRead:
        return refusedList(name, "ファイルを読めません");
    case Fault::None:
        break;
    }
    return parsePhraseList(file.bytes, name);
}

} // namespace zem
