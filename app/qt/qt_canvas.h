#pragma once

#include "model/canvas.h"

#include <QRect>

class QPainter;

namespace zem {

// The window's surface during a paint event, for the frame painter. Only
// `exposed` is repainted, which lets a rounded rectangle whose outline lies
// outside it be filled without stroking the outline.
class QtCanvas final : public Canvas {
public:
    QtCanvas(QPainter &painter, const QRect &exposed) : painter_(painter), exposed_(exposed) {}
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                   Color pen, Color fill) override;

private:
    QPainter &painter_;
    QRect exposed_;
};

} // namespace zem
