#pragma once

#include <string>

namespace zem {

// Lower-cases an ASCII letter; every other byte stays as it is.
char lowerAscii(char c);

// Whether a typed character is the next letter: it must equal the first
// letter of the target or its lower-case form. An empty target matches
// nothing, and while the game is halted every character is a miss.
bool isCorrectStroke(char typed, const std::string &targetRomaji, int halted);

} // namespace zem
