#include "model/failure.h"

namespace zem {

std::string boxMessage(const std::string &message) {
    if (!message.empty() && message.back() == '.')
        return message;
    return message + ".";
}

} // namespace zem
