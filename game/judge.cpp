#include "game/judge.h"

namespace zem {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool isCorrectStroke(char typed, const std::string &targetRomaji, int halted) {
    if (halted == 1 || targetRomaji.empty())
        return false;
    const char target = targetRomaji.front();
    return typed == target || typed == lowerAscii(target);
}

} // namespace zem
