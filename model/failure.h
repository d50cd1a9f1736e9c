#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace zem {

// A step of a handler that failed. The rest of the handler is skipped; the
// presenter shows the message in the error box and the event loop goes on.
class Failure : public std::runtime_error {
public:
    explicit Failure(std::string message)
        : std::runtime_error(message), message_(std::move(message)) {}

    // The whole message; what() ends at the first NUL byte.
    const std::string &message() const { return message_; }

private:
    std::string message_;
};

// A step that cannot go on for a reason that is no fault of the program nor
// of a file: there is nothing to practise yet, say. The presenter shows it in
// the information box; where it is caught as a Failure it still reaches the
// player.
class Notice : public Failure {
public:
    using Failure::Failure;
};

// The message as the error box shows it: with a full stop at the end.
std::string boxMessage(const std::string &message);
// A notice as its box shows it: a Japanese sentence, ending with 「。」.
std::string noticeMessage(const std::string &message);

} // namespace zem
