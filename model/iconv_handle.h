#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace zem {

// One iconv conversion, open for as long as its owner lives. When the C
// library has no converter for the pair, the handle is unusable and every
// conversion reads and writes nothing.
class IconvHandle {
public:
    IconvHandle(const char *to, const char *from);
    ~IconvHandle();
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;

    bool usable() const;

    struct Result {
        std::size_t read = 0;
        std::size_t written = 0;
        bool whole = false; // iconv took every byte it read without an error
    };
    // Converts what it can of `in` into `out`, from the initial shift state.
    Result convert(std::string_view in, std::span<char> out);

private:
    void *cd_;
};

} // namespace zem
