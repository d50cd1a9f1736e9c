#include "app/qt/qt_canvas.h"

#include "app/qt/design_look.h"

#include <QPainter>

namespace zem {

void QtCanvas::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                         int cornerHeight, Color pen, Color fill) {
    // Clear of the outline and of the rounded corners: inside, one band at a
    // time, the figure is its fill alone.
    const QRect inside(left + 1, top + 1, right - left - 2, bottom - top - 2);
    const QRect band1 = inside.adjusted(cornerWidth / 2, 0, -cornerWidth / 2, 0);
    const QRect band2 = inside.adjusted(0, cornerHeight / 2, 0, -cornerHeight / 2);
    if (band1.contains(exposed_) || band2.contains(exposed_)) {
        painter_.fillRect(exposed_, toQColor(fill));
        return;
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(toQColor(pen), 1));
    painter_.setBrush(toQColor(fill));
    // right and bottom are exclusive, and the pen runs through the middle of
    // the outermost pixels: centred on their edges instead, it would spill
    // half a pixel outwards on a screen that scales the window up.
    painter_.drawRoundedRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1),
                             cornerWidth / 2.0, cornerHeight / 2.0);
    painter_.restore();
}

} // namespace zem
