#pragma once

#include "model/colors.h"

#include <string_view>

namespace zem {

// The finger that presses a key in touch typing, and the tint its keys wear
// under the finger guide.
struct Finger {
    std::string_view keys; // the key captions it presses, upper-case
    std::string_view name; // as the line under the keyboard shows it
    Color tint;
};

// The finger of a key caption ("Q", ";", ...), or null for a key no finger
// of the letter rows presses.
const Finger *fingerOf(std::string_view caption);

} // namespace zem
