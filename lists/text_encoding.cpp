#include "lists/text_encoding.h"

#include "model/code_page_932.h"
#include "model/utf8.h"

namespace zem {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The range the second byte must fall in; the narrow ones after E0, ED, F0
// and F4 keep out overlong forms, surrogates and code points past U+10FFFF.
bool secondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return second >= 0x80 && second <= 0xBF;
    }
}

} // namespace

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = utf8SequenceLength(lead);
        if (length == 0 || i + length > bytes.size())
            return false;
        if (length > 1 && !secondByteFits(lead, static_cast<unsigned char>(bytes[i + 1])))
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::optional<std::string> decodeText(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    // A BOM says UTF-8: what follows it is that or no text.
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        if (!isUtf8(bytes))
            return std::nullopt;
    }
    if (isUtf8(bytes))
        return std::string(bytes);
    return decodeCodePage932(bytes);
}

} // namespace zem
