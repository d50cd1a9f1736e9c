#include "records/display_text.h"

#include "model/iconv_handle.h"

namespace zem {

namespace {

constexpr const char *kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Decodes what it can of `bytes` (one or two bytes: a character of the code
// page) into `out`; returns how many bytes it used, 0 when the first byte
// starts no character.
std::size_t decode(IconvHandle &decoder, std::string_view bytes, std::string &out) {
    char buffer[16];
    const IconvHandle::Result r = decoder.convert(bytes, buffer);
    out.append(buffer, r.written);
    return r.read;
}

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string displayText(std::string_view bytes) {
    std::string out;
    IconvHandle decoder("UTF-8", "CP932");
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            if (isControl(byte))
                out += kReplacement;
            else
                out += bytes[i];
            ++i;
            continue;
        }
        // A lead byte takes the next byte with it, even an ASCII one: the
        // second byte of a kanji may be "\" or a letter.
        const std::size_t used = decode(decoder, bytes.substr(i, 2), out);
        if (used == 0) {
            out += kReplacement;
            ++i;
        }
        i += used;
    }
    return out;
}

} // namespace zem
