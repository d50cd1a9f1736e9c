#include "model/failure.h"

namespace zem {

std::string boxMessage(const std::string &message) {
    if (!message.empty() && message.back() == '.')
        return message;
    return message + ".";
}

std::string noticeMessage(const std::string &message) {
    static const std::string stop = "。";
    if (message.ends_with(stop))
        return message;
    return message + stop;
}

} // namespace zem
