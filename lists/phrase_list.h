#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One phrase of a player's file, in UTF-8: the text shown, its reading in
// hiragana, and the reading in the table's spelling (upper-case letters and
// the keys of ー 、 。).
struct ListPhrase {
    std::string display;
    std::string kana;
    std::string romaji;
    bool operator==(const ListPhrase &) const = default;
};

struct PhraseList {
    std::string name; // the file's base name without its extension
    std::vector<ListPhrase> phrases;
};

// Why a line, or with line 0 the whole file, is refused; in Japanese, as shown.
struct ListProblem {
    int line;
    std::string why;
    bool operator==(const ListProblem &) const = default;
};

// Either a list, or the problems that refuse the file and the message that
// names them for the error box. A file is taken whole or not at all.
struct ListResult {
    std::optional<PhraseList> list;
    std::vector<ListProblem> problems; // the first lines at fault, at most kListedProblems
    int moreProblems = 0;              // lines at fault beyond those listed
    std::string message;               // plain text, several lines, empty for a list
};

inline constexpr std::size_t kMaxListBytes = 1024 * 1024;
inline constexpr int kMaxListPhrases = 10000;
inline constexpr int kMaxDisplayLength = 24; // characters (code points)
inline constexpr int kMaxRomajiLength = 40;  // keys
inline constexpr std::size_t kListedProblems = 5;

// Parses the bytes of a phrase file: one phrase a line, "display<TAB>reading",
// or a line of kana that is its own reading; blank lines and lines that start
// with "#" are skipped.
ListResult parsePhraseList(std::string_view bytes, std::string name);

// The refusal of a file for one reason that is no line's, such as a file that
// cannot be opened.
ListResult refusedList(const std::string &name, std::string why);

} // namespace zem
