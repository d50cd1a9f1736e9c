#include "history/game_record.h"

namespace zem {

const char *modeName(GameMode mode) {
    return mode == GameMode::Word ? "word" : "proverb";
}

std::string sourceKey(GameMode mode, const std::string &list) {
    return list.empty() ? std::string(modeName(mode)) : "list:" + list;
}

} // namespace zem
