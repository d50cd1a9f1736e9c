#include "kana/entry_readings.h"

#include "kana/romaji_table.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace zem {

namespace {

// Table spelling -> the first kana of the table spelt so.
const std::unordered_map<std::string_view, std::string_view> &kanaBySpelling() {
    static const auto index = [] {
        std::unordered_map<std::string_view, std::string_view> kana;
        for (const KanaSpellings &row : romajiTable())
            kana.emplace(tableSpelling(row), row.kana);
        return kana;
    }();
    return index;
}

constexpr std::size_t kLongestSpelling = 3;

// The entries whose romaji stand for more than one reading, with the one that
// is right. Everything else reads back as it is spelt.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kTrueReadings{{
    {"KINEZUKA", "きねづか"},
    {"MUKASITOTTAKINEZUKA", "むかしとったきねづか"},
}};

bool isDoubledConsonant(std::string_view rest) {
    if (rest.size() < 2 || rest[0] != rest[1] || rest[0] == 'N')
        return false;
    const char c = rest[0];
    return c != 'A' && c != 'I' && c != 'U' && c != 'E' && c != 'O';
}

} // namespace

bool kanaFromTableRomaji(std::string_view romaji, std::string &kana) {
    kana.clear();
    const auto &index = kanaBySpelling();
    for (std::size_t at = 0; at < romaji.size();) {
        const std::string_view rest = romaji.substr(at);
        if (isDoubledConsonant(rest)) {
            kana += "っ";
            ++at;
            continue;
        }
        std::size_t length = std::min(kLongestSpelling, rest.size());
        for (; length > 0; --length) {
            const auto found = index.find(rest.substr(0, length));
            if (found != index.end()) {
                kana += found->second;
                break;
            }
        }
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::string entryKana(std::string_view tableRomaji) {
    for (const auto &[romaji, reading] : kTrueReadings)
        if (romaji == tableRomaji)
            return std::string(reading);
    std::string kana;
    return kanaFromTableRomaji(tableRomaji, kana) ? kana : std::string();
}

} // namespace zem
