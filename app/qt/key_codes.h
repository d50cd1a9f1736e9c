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

// The one-byte characters a key press yields: ASCII as it is, anything else
// (input method text, a dead key, kana) as its UTF-8 bytes, each 128 or more.
std::string pressCharacters(const QString &text);

} // namespace zem
