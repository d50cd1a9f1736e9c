#pragma once

#include <string>
#include <string_view>

namespace zem {

// A record line's bytes as UTF-8 for a label or a message: printable ASCII
// unchanged, other bytes decoded as Shift-JIS (code page 932); an
// undecodable byte and a control byte (NUL, tab, DEL, ...) as U+FFFD, so the
// whole line is seen and nothing in it ends a message or hides in a label.
std::string displayText(std::string_view bytes);

} // namespace zem
