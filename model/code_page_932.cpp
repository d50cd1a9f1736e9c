#include "model/code_page_932.h"

#include "model/iconv_handle.h"
#include "model/utf8.h"

#include <vector>

namespace zem {

namespace {

constexpr const char *kCodePage = "CP932";
constexpr const char *kUtf8 = "UTF-8";
constexpr const char *kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Windows' best fit for the two signs that share a byte with ASCII in code
// page 932; a converter may leave them out of its table.
constexpr std::string_view kYen = "\xC2\xA5";          // U+00A5 -> 0x5C
constexpr std::string_view kOverline = "\xE2\x80\xBE"; // U+203E -> 0x7E

// Appends the code page form of one whole character, or "?" when it has
// none (or is no well-formed UTF-8).
void encodeCharacter(IconvHandle &encoder, std::string_view character, std::string &out) {
    char buffer[8];
    const IconvHandle::Result r = encoder.convert(character, buffer);
    if (r.whole && r.read == character.size() && r.written > 0)
        out.append(buffer, r.written);
    else
        out += '?';
}

// Decodes what it can of `bytes` (one or two bytes: a character of the code
// page) into `out`; returns how many bytes it used, 0 when the first byte
// starts no character.
std::size_t decodeCharacter(IconvHandle &decoder, std::string_view bytes, std::string &out) {
    char buffer[16];
    const IconvHandle::Result r = decoder.convert(bytes, buffer);
    out.append(buffer, r.written);
    return r.read;
}

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string encodeCodePage932(std::string_view utf8) {
    std::string out;
    IconvHandle encoder(kCodePage, kUtf8);
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
            encodeCharacter(encoder, character, out);
        i += length;
    }
    return out;
}

std::optional<std::string> decodeCodePage932(std::string_view bytes) {
    IconvHandle decoder(kUtf8, kCodePage);
    // A byte of code page 932 becomes at most three bytes of UTF-8 (a
    // half-width katakana); two bytes become at most three.
    std::vector<char> out(bytes.size() * 3 + 1);
    const IconvHandle::Result r = decoder.convert(bytes, out);
    if (!decoder.usable() || !r.whole || r.read != bytes.size())
        return std::nullopt;
    return std::string(out.data(), r.written);
}

std::string showCodePage932(std::string_view bytes) {
    std::string out;
    IconvHandle decoder(kUtf8, kCodePage);
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
        const std::size_t used = decodeCharacter(decoder, bytes.substr(i, 2), out);
        if (used == 0) {
            out += kReplacement;
            ++i;
        }
        i += used;
    }
    return out;
}

} // namespace zem
