#pragma once

#include "model/colors.h"
#include "model/control.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QPainter;

namespace zem {

// Fusion everywhere (see DesignStyle), with its own palette, so the window
// looks the same on every desktop; the design's system colours are read from
// that palette.
void useDesignStyle();

// A design colour on screen. System colours come from the palette; clNone,
// which names no colour, is drawn white so the balloon's outline vanishes.
QColor toQColor(Color color, const QPalette &palette);
QColor toQColor(Color color);

// A design rectangle in widget coordinates.
inline QRect toQRect(const Rect &r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// The design's font at a character height in pixels. "ＭＳ 明朝" is not on
// Linux; IPAMincho has its metrics, so it is asked for right behind it.
QFont designFont(int px);

// A Windows-style 3-D frame of `width` lines inside `rect`: `topLeft` along
// the top and left, `bottomRight` along the bottom and right, with the
// top-right and bottom-left corner pixels going to `bottomRight`.
void drawFrame3D(QPainter &painter, QRect rect, const QColor &topLeft, const QColor &bottomRight,
                 int width);

} // namespace zem
