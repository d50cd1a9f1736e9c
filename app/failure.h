#pragma once

#include <stdexcept>
#include <string>

namespace zem {

// A step of a handler that failed. The rest of the handler is skipped; the
// presenter shows the message in the error box and the event loop goes on.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string &message) : std::runtime_error(message) {}
};

// The message as the error box shows it: with a full stop at the end.
std::string boxMessage(const std::string &message);

} // namespace zem
