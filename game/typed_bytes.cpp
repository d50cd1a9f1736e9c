#include "game/typed_bytes.h"

#include "model/iconv_handle.h"

namespace zem {

namespace {

// Windows' best fit for the two signs that share a byte with ASCII in code
// page 932; a converter may leave them out of its table.
constexpr std::string_view kYen = "\xC2\xA5";          // U+00A5 -> 0x5C
constexpr std::string_view kOverline = "\xE2\x80\xBE"; // U+203E -> 0x7E

// Bytes of the UTF-8 sequence its lead byte opens; 0 for a byte that opens
// none (a stray continuation byte, or 0xF8 and above).
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

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
        std::size_t length = sequenceLength(static_cast<unsigned char>(utf8[i]));
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
