#pragma once

#include "lists/phrase_list.h"

#include <string>
#include <string_view>

namespace zem {

// One line of a phrase file, in UTF-8 without its line end, read on its own.
struct PhraseLine {
    enum class Kind { Skipped, Phrase, Refused };
    Kind kind = Kind::Skipped;
    ListPhrase phrase; // for a Phrase
    std::string why;   // for a Refused line, as a ListProblem gives it
};

// A line holding only blanks (spaces, ideographic spaces, tabs) or starting
// with "#" is skipped. Blanks at either end of the display and the reading
// are dropped: an editor does not show them.
PhraseLine readPhraseLine(std::string_view line);

} // namespace zem
