#pragma once

#include "app/t_form1.h"

#include <QString>

#include <cstdint>
#include <string>

namespace zem {

// The Windows virtual key code of a Qt key (letters 'A'..'Z', digits,
// Escape 27, Return 13, ...); 0 for a key without one.
std::uint16_t virtualKey(int qtKey);

// Shift, Alt and Ctrl as the key handlers receive them.
ShiftState shiftState(Qt::KeyboardModifiers modifiers);

// The one-byte characters a key press yields, as a window of code page 932
// receives them: ASCII (Escape, Return, Backspace and Tab included) as it is,
// anything else as its code page bytes, or "?" where it has none.
std::string pressCharacters(const QString &text);

} // namespace zem
