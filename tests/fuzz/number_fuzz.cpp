// parseNumber against a reading of the number grammar by a regular
// expression, and its value against strtod in the C locale.
#include "records/number.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

const std::regex &grammar() {
    // Digits with an optional point and fraction, or the point alone.
    static const std::regex re(R"(^ *([+-]?)([0-9]+\.?[0-9]*|\.[0-9]*)([eE][+-]?[0-9]+)? *$)");
    return re;
}

[[noreturn]] void broken(const char *rule, const std::string &text) {
    std::fprintf(stderr, "broken: %s for \"%s\"\n", rule, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The library's regular expressions recurse per character.
    if (size > 400)
        return 0;
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::smatch parts;
    const bool accepted = std::regex_match(text, parts, grammar());
    const std::optional<double> value = zem::parseNumber(text);
    if (value.has_value() != accepted)
        broken(accepted ? "a number refused" : "not a number accepted", text);
    if (!value)
        return 0;
    // strtod reads no number from a point without digits; the grammar reads
    // it as zero, signed as written.
    const double expected = parts[2].str() == "." ? (parts[1].str() == "-" ? -0.0 : 0.0)
                                                  : std::strtod(text.c_str(), nullptr);
    if (std::memcmp(&expected, &*value, sizeof expected) != 0) {
        std::fprintf(stderr, "read %.17g, strtod %.17g\n", *value, expected);
        broken("value differs from strtod", text);
    }
    return 0;
}
