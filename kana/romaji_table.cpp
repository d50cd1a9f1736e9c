#include "kana/romaji_table.h"

#include <array>
#include <string>
#include <unordered_map>

namespace zem {

namespace {

// Our own table, written from the rules that Japanese input methods share:
// Hepburn and Nihon-shiki spellings side by side, C and Q for the K sounds,
// X or L before a small kana typed alone. The table's own spelling is the
// Kunrei one the built-in phrases use, and for sounds Kunrei has no spelling
// for, the input methods' usual one (FA, THI, DHI, VU, XA, WYI ...). For the
// rare sounds whose spelling not every input method knows (QWU, SWI, GWI), it
// is the kana and its small kana typed apart (KUXU, SUXI, GUXI), which all of
// them take; no built-in phrase has these sounds.
// clang-format off
constexpr std::array kRows = std::to_array<KanaSpellings>({
    {"あ", "A"}, {"い", "I YI"}, {"う", "U WU WHU"}, {"え", "E"}, {"お", "O"},
    {"か", "KA CA"}, {"き", "KI"}, {"く", "KU CU QU"}, {"け", "KE"}, {"こ", "KO CO"},
    {"さ", "SA"}, {"し", "SI SHI CI"}, {"す", "SU"}, {"せ", "SE CE"}, {"そ", "SO"},
    {"た", "TA"}, {"ち", "TI CHI"}, {"つ", "TU TSU"}, {"て", "TE"}, {"と", "TO"},
    {"な", "NA"}, {"に", "NI"}, {"ぬ", "NU"}, {"ね", "NE"}, {"の", "NO"},
    {"は", "HA"}, {"ひ", "HI"}, {"ふ", "HU FU"}, {"へ", "HE"}, {"ほ", "HO"},
    {"ま", "MA"}, {"み", "MI"}, {"む", "MU"}, {"め", "ME"}, {"も", "MO"},
    {"や", "YA"}, {"ゆ", "YU"}, {"よ", "YO"},
    {"ら", "RA"}, {"り", "RI"}, {"る", "RU"}, {"れ", "RE"}, {"ろ", "RO"},
    {"わ", "WA"}, {"を", "WO"}, {"ん", "NN XN N'"},
    {"が", "GA"}, {"ぎ", "GI"}, {"ぐ", "GU"}, {"げ", "GE"}, {"ご", "GO"},
    {"ざ", "ZA"}, {"じ", "ZI JI"}, {"ず", "ZU"}, {"ぜ", "ZE"}, {"ぞ", "ZO"},
    {"だ", "DA"}, {"ぢ", "ZI DI"}, {"づ", "ZU DU"}, {"で", "DE"}, {"ど", "DO"},
    {"ば", "BA"}, {"び", "BI"}, {"ぶ", "BU"}, {"べ", "BE"}, {"ぼ", "BO"},
    {"ぱ", "PA"}, {"ぴ", "PI"}, {"ぷ", "PU"}, {"ぺ", "PE"}, {"ぽ", "PO"},
    {"ゔ", "VU"},
    // Small kana alone. っ's doubled consonant is a rule of the judge.
    {"ぁ", "XA LA"}, {"ぃ", "XI LI XYI LYI"}, {"ぅ", "XU LU"}, {"ぇ", "XE LE XYE LYE"},
    {"ぉ", "XO LO"}, {"ゃ", "XYA LYA"}, {"ゅ", "XYU LYU"}, {"ょ", "XYO LYO"},
    {"ゎ", "XWA LWA"}, {"っ", "XTU LTU XTSU LTSU"}, {"ゕ", "XKA LKA"}, {"ゖ", "XKE LKE"},
    // Contracted sounds.
    {"きゃ", "KYA"}, {"きぃ", "KYI"}, {"きゅ", "KYU"}, {"きぇ", "KYE"}, {"きょ", "KYO"},
    {"ぎゃ", "GYA"}, {"ぎぃ", "GYI"}, {"ぎゅ", "GYU"}, {"ぎぇ", "GYE"}, {"ぎょ", "GYO"},
    {"しゃ", "SYA SHA"}, {"しぃ", "SYI"}, {"しゅ", "SYU SHU"}, {"しぇ", "SYE SHE"},
    {"しょ", "SYO SHO"},
    {"じゃ", "ZYA JA JYA"}, {"じぃ", "ZYI JYI"}, {"じゅ", "ZYU JU JYU"},
    {"じぇ", "ZYE JE JYE"}, {"じょ", "ZYO JO JYO"},
    {"ちゃ", "TYA CHA CYA"}, {"ちぃ", "TYI CYI"}, {"ちゅ", "TYU CHU CYU"},
    {"ちぇ", "TYE CHE CYE"}, {"ちょ", "TYO CHO CYO"},
    {"ぢゃ", "ZYA DYA"}, {"ぢぃ", "ZYI DYI"}, {"ぢゅ", "ZYU DYU"}, {"ぢぇ", "ZYE DYE"},
    {"ぢょ", "ZYO DYO"},
    {"にゃ", "NYA"}, {"にぃ", "NYI"}, {"にゅ", "NYU"}, {"にぇ", "NYE"}, {"にょ", "NYO"},
    {"ひゃ", "HYA"}, {"ひぃ", "HYI"}, {"ひゅ", "HYU"}, {"ひぇ", "HYE"}, {"ひょ", "HYO"},
    {"びゃ", "BYA"}, {"びぃ", "BYI"}, {"びゅ", "BYU"}, {"びぇ", "BYE"}, {"びょ", "BYO"},
    {"ぴゃ", "PYA"}, {"ぴぃ", "PYI"}, {"ぴゅ", "PYU"}, {"ぴぇ", "PYE"}, {"ぴょ", "PYO"},
    {"みゃ", "MYA"}, {"みぃ", "MYI"}, {"みゅ", "MYU"}, {"みぇ", "MYE"}, {"みょ", "MYO"},
    {"りゃ", "RYA"}, {"りぃ", "RYI"}, {"りゅ", "RYU"}, {"りぇ", "RYE"}, {"りょ", "RYO"},
    // Sounds of loanwords, a kana with a small vowel.
    {"いぇ", "YE"},
    {"うぁ", "WHA"}, {"うぃ", "WI WHI"}, {"うぇ", "WE WHE"}, {"うぉ", "WHO"},
    {"ゐ", "WYI XWI"}, {"ゑ", "WYE XWE"},
    {"くぁ", "KWA QA QWA"}, {"くぃ", "QI KWI QWI QYI"}, {"くぅ", "KUXU KWU QWU"},
    {"くぇ", "QE KWE QWE QYE"}, {"くぉ", "QO KWO QWO"},
    {"くゃ", "KUXYA QYA"}, {"くゅ", "KUXYU QYU"}, {"くょ", "KUXYO QYO"},
    {"ぐぁ", "GWA"}, {"ぐぃ", "GUXI GWI"}, {"ぐぅ", "GUXU GWU"}, {"ぐぇ", "GUXE GWE"},
    {"ぐぉ", "GUXO GWO"},
    {"すぁ", "SUXA SWA"}, {"すぃ", "SUXI SWI"}, {"すぅ", "SUXU SWU"}, {"すぇ", "SUXE SWE"},
    {"すぉ", "SUXO SWO"},
    // Newer in Mozc's table; the table's letters type them apart, as before.
    {"ずぁ", "ZUXA ZWA"}, {"ずぃ", "ZUXI ZWI"}, {"ずぅ", "ZUXU ZWU"}, {"ずぇ", "ZUXE ZWE"},
    {"ずぉ", "ZUXO ZWO"},
    {"つぁ", "TSA"}, {"つぃ", "TSI"}, {"つぇ", "TSE"}, {"つぉ", "TSO"},
    {"てぁ", "TEXA THA"}, // THA to SKK, てゃ to Mozc
    {"てゃ", "THA"}, {"てぃ", "THI T'I"}, {"てゅ", "THU T'YU"}, {"てぇ", "THE"}, {"てょ", "THO"},
    {"とぁ", "TWA"}, {"とぃ", "TWI"}, {"とぅ", "TWU T'U"}, {"とぇ", "TWE"}, {"とぉ", "TWO"},
    {"でゃ", "DHA"}, {"でぃ", "DHI D'I"}, {"でゅ", "DHU D'YU"}, {"でぇ", "DHE"}, {"でょ", "DHO"},
    {"どぁ", "DWA"}, {"どぃ", "DWI"}, {"どぅ", "DWU D'U"}, {"どぇ", "DWE"}, {"どぉ", "DWO"},
    {"ふぁ", "FA FWA HWA"}, {"ふぃ", "FI FWI FYI HWI"}, {"ふぅ", "HUXU FWU"},
    {"ふぇ", "FE FWE FYE HWE"}, {"ふぉ", "FO FWO HWO"},
    {"ふゃ", "FYA"}, {"ふゅ", "FYU HWYU"}, {"ふょ", "FYO"},
    {"ゔぁ", "VA"}, {"ゔぃ", "VI VYI"}, {"ゔぇ", "VE VYE"}, {"ゔぉ", "VO"},
    {"ゔゃ", "VYA"}, {"ゔゅ", "VYU"}, {"ゔょ", "VYO"},
    {"ー", "-"}, {"、", ","}, {"。", "."},
});
// clang-format on

} // namespace

std::span<const KanaSpellings> romajiTable() {
    return kRows;
}

const KanaSpellings *findSpellings(std::string_view kana) {
    static const auto index = [] {
        std::unordered_map<std::string_view, const KanaSpellings *> rows;
        for (const KanaSpellings &row : kRows)
            rows.emplace(row.kana, &row);
        return rows;
    }();
    const auto found = index.find(kana);
    return found == index.end() ? nullptr : found->second;
}

std::string_view tableSpelling(const KanaSpellings &row) {
    return row.spellings.substr(0, row.spellings.find(' '));
}

} // namespace zem
