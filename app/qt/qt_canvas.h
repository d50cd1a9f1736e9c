#pragma once

#include "app/canvas.h"

class QPainter;

namespace zem {

// The window's surface during a paint event, for the frame painter.
class QtCanvas final : public Canvas {
public:
    explicit QtCanvas(QPainter &painter) : painter_(painter) {}
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                   Color pen, Color fill) override;

private:
    QPainter &painter_;
};

} // namespace zem
