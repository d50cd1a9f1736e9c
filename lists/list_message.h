#pragma once

#include "lists/phrase_list.h"

#include <string>
#include <vector>

namespace zem {

// The error box's text for a refused file: a first line naming the list, then
// one line per problem ("12行目: ..." or the whole file's reason), then how
// many more lines are at fault. Plain text, no line longer than it must be.
std::string listMessage(const std::string &name, const std::vector<ListProblem> &problems,
                        int moreProblems);

} // namespace zem
