#include "kana/table_romaji.h"

#include "kana/kana_text.h"
#include "kana/romaji_table.h"

namespace zem {

bool doublesForSokuon(std::string_view next) {
    if (next.empty())
        return false;
    const char c = next.front();
    return c >= 'A' && c <= 'Z' && c != 'A' && c != 'I' && c != 'U' && c != 'E' && c != 'O' &&
           c != 'N';
}

std::string unitTableRomaji(std::span<const std::string> units, std::size_t at) {
    const KanaSpellings *row = findSpellings(units[at]);
    if (!row)
        return {};
    if (units[at] != "っ")
        return std::string(tableSpelling(*row));
    // Before another っ the next spelling is itself a doubling or XTU, and
    // doubling that again would only stack letters.
    if (at + 1 < units.size() && units[at + 1] != "っ") {
        const std::string next = unitTableRomaji(units, at + 1);
        if (doublesForSokuon(next))
            return next.substr(0, 1);
    }
    return std::string(tableSpelling(*row));
}

bool tableRomaji(std::string_view hiragana, std::string &romaji, std::string *untypable) {
    const std::vector<std::string> units = kanaUnits(hiragana);
    romaji.clear();
    for (std::size_t at = 0; at < units.size(); ++at) {
        const std::string letters = unitTableRomaji(units, at);
        if (letters.empty()) {
            if (untypable)
                *untypable = units[at];
            return false;
        }
        romaji += letters;
    }
    return true;
}

} // namespace zem
