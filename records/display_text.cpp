#include "records/display_text.h"

#include <cerrno>
#include <iconv.h>

namespace zem {

namespace {

constexpr const char *kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One Shift-JIS (code page 932) to UTF-8 converter for one label text.
class Cp932Decoder {
public:
    Cp932Decoder() : cd_(iconv_open("UTF-8", "CP932")) {}
    ~Cp932Decoder() {
        if (usable())
            iconv_close(cd_);
    }
    Cp932Decoder(const Cp932Decoder &) = delete;
    Cp932Decoder &operator=(const Cp932Decoder &) = delete;

    // Decodes what it can of `bytes` (one or two bytes: a character of the
    // code page) into `out`; returns how many bytes it used, 0 when the first
    // byte starts no character.
    std::size_t decode(std::string_view bytes, std::string &out) {
        if (!usable())
            return 0;
        char *in = const_cast<char *>(bytes.data());
        std::size_t inLeft = bytes.size();
        char buffer[16];
        char *to = buffer;
        std::size_t toLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        iconv(cd_, &in, &inLeft, &to, &toLeft);
        out.append(buffer, std::size_t(to - buffer));
        return bytes.size() - inLeft;
    }

private:
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string displayText(std::string_view bytes) {
    std::string out;
    Cp932Decoder decoder;
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
        const std::size_t used = decoder.decode(bytes.substr(i, 2), out);
        if (used == 0) {
            out += kReplacement;
            ++i;
        }
        i += used;
    }
    return out;
}

} // namespace zem
