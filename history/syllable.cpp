#include "history/syllable.h"

namespace zem {

namespace {

bool isVowel(char c) {
    return c == 'A' || c == 'I' || c == 'U' || c == 'E' || c == 'O';
}

// Where the syllable that starts at `begin` ends.
std::size_t syllableEnd(std::string_view romaji, std::size_t begin) {
    if (romaji.substr(begin, 2) == "NN")
        return begin + 2;
    std::size_t end = begin;
    while (end < romaji.size() && !isVowel(romaji[end]))
        ++end;
    return end < romaji.size() ? end + 1 : end;
}

} // namespace

std::string syllableAt(std::string_view romaji, std::size_t position) {
    std::size_t begin = 0;
    while (begin < romaji.size()) {
        const std::size_t end = syllableEnd(romaji, begin);
        if (position < end) {
            std::string syllable(romaji.substr(begin, end - begin));
            for (char &c : syllable)
                if (c >= 'A' && c <= 'Z')
                    c = char(c - 'A' + 'a');
            return syllable;
        }
        begin = end;
    }
    return {};
}

} // namespace zem
