#include "game/typed_bytes.h"

#include "kana/utf8.h"
#include "model/iconv_handle.h"

namespace zem {

namespace {

// Windows' best fit for the two signs that share a byte with ASCII in code
// page 932; a converter may leave them out of its table.
constexpr std::string_view kYen = "\xC2\xA5";          // U+00A5 -> 0x5C
constexpr std::string_view kOverline = "\xE2\x80\xBE"; // U+203E -> 0x7E

// Appends the code page form of one whole character, or "?" when it has
// none (or is no well-formed UTF-8).
void encode(IconvHandle &encoder, std::string_view character, std::string &out) {
    char buffer[8];
    const IconvHandle::Result r = encoder.convert(character, buffer);
    if (r.whole && r.read == character.size() && r.written > 0)
        out.append(buffer, r.written);
    else
        out += '?';
}

} // namespace

std::string typedBytes(std::string_view utf8) {
    std::string out;
    IconvHandle encoder("CP932", "UTF-8");
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t length = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (length == 1) {
            out += utf8[i++];
            continue;
        }
        if (length == 0 || i + length > utf8.size())
            length = 1; // a broken sequence: one "?" per byte
        const std::string_view character = utf8.substr(i, length);
        if (character == kYen)
            out += '\x5C';
        else if (character == kOverline)
            out += '\x7E';
        else
            encode(encoder, character, out);
        i += length;
    }
    return out;
}

} // namespace zem
