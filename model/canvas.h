#pragma once

#include "model/colors.h"

namespace zem {

// The window's drawing surface, as far as the frame painter needs it.
class Canvas {
public:
    virtual ~Canvas() = default;
    // A rounded rectangle; right and bottom are exclusive, the corners are
    // ellipses of the given size. Outlined in pen, filled with fill.
    virtual void roundRect(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight, Color pen, Color fill) = 0;
};

// A surface that is not on screen yet: whatever is drawn leaves no trace.
class NullCanvas final : public Canvas {
public:
    void roundRect(int, int, int, int, int, int, Color, Color) override {}
};

} // namespace zem
