#include "lists/phrase_file.h"

#include "lists/list_message.h"
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
    const std::string name = listName(path);
    const RegularFile file = readRegularFile(path, kMaxListBytes);
    if (file.fault != RegularFile::Fault::None)
        return refusedList(name, fileFault(file.fault, kMaxListBytes));
    return parsePhraseList(file.bytes, name);
}

} // namespace zem
