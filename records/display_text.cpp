#include "records/display_text.h"

namespace zem {

std::string displayText(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
        else
            out += "\xEF\xBF\xBD";
    }
    return out;
}

} // namespace zem
