#include "history/game_record.h"

#include <string_view>

namespace zem {

const char *modeName(GameMode mode) {
    return mode == GameMode::Word ? "word" : "proverb";
}

std::string lessonList(int step) {
    return "lesson/" + std::to_string(step);
}

int lessonOfList(const std::string &list) {
    constexpr std::string_view prefix = "lesson/";
    if (list.size() <= prefix.size() || list.size() > prefix.size() + 2 ||
        list.compare(0, prefix.size(), prefix) != 0)
        return 0;
    int step = 0;
    for (char c : list.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return 0;
        step = step * 10 + (c - '0');
    }
    return step;
}

std::string sourceKey(GameMode mode, const std::string &list) {
    return list.empty() ? std::string(modeName(mode)) : "list:" + list;
}

} // namespace zem
