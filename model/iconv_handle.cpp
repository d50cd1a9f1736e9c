#include "model/iconv_handle.h"

#include <iconv.h>

namespace zem {

namespace {

const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

} // namespace

IconvHandle::IconvHandle(const char *to, const char *from) : cd_(iconv_open(to, from)) {}

IconvHandle::~IconvHandle() {
    if (usable())
        iconv_close(static_cast<iconv_t>(cd_));
}

bool IconvHandle::usable() const {
    return static_cast<iconv_t>(cd_) != kNoConverter;
}

IconvHandle::Result IconvHandle::convert(std::string_view in, std::span<char> out) {
    if (!usable())
        return {};
    const auto cd = static_cast<iconv_t>(cd_);
    char *from = const_cast<char *>(in.data());
    std::size_t fromLeft = in.size();
    char *to = out.data();
    std::size_t toLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const bool whole = iconv(cd, &from, &fromLeft, &to, &toLeft) != std::size_t(-1);
    return {in.size() - fromLeft, out.size() - toLeft, whole};
}

} // namespace zem
