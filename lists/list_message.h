#pragma once

#include "lists/phrase_list.h"
#include "model/regular_file.h"

#include <string>
#include <vector>

namespace zem {

// The error box's text for a refused file: a first line naming the list, then
// one line per problem ("12行目: ..." or the whole file's reason), then how
// many more lines are at fault. Plain text, no line longer than it must be.
std::string listMessage(const std::string &name, const std::vector<ListProblem> &problems,
                        int moreProblems);

// Why a file that could not be read whole is refused, for a player: a
// phrase file's or a text's. `limit` is the size allowed, in bytes.
std::string fileFault(RegularFile::Fault fault, std::size_t limit);

} // namespace zem
