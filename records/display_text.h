#pragma once

#include <string>
#include <string_view>

namespace zem {

// A record line's bytes as UTF-8 for a label: ASCII unchanged, other bytes
// decoded as Shift-JIS (code page 932), an undecodable byte as U+FFFD.
std::string displayText(std::string_view bytes);

// The same for a message that quotes a line: a control byte (NUL, tab, DEL,
// ...) shows as U+FFFD too, so the whole line is seen and nothing in it ends
// or breaks the message.
std::string visibleText(std::string_view bytes);

} // namespace zem
