#include "app/qt/design_look.h"

#include "app/qt/design_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace zem {

void useDesignStyle() {
    if (!dynamic_cast<DesignStyle *>(QApplication::style()))
        QApplication::setStyle(new DesignStyle);
    QApplication::setPalette(QApplication::style()->standardPalette());
}

QColor toQColor(Color color, const QPalette &palette) {
    switch (color) {
    case clNone:
        return Qt::white;
    case clMenu:
        return palette.color(QPalette::Window);
    case clBtnFace:
        return palette.color(QPalette::Button);
    case clWindowText:
        return palette.color(QPalette::WindowText);
    case clBtnHighlight:
        return palette.color(QPalette::Light);
    case clBtnShadow:
        return palette.color(QPalette::Dark);
    default:
        break;
    }
    if (isSystemColor(color))
        return palette.color(QPalette::WindowText);
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QColor toQColor(Color color) {
    return toQColor(color, QApplication::palette());
}

QFont designFont(int px) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")});
    font.setPixelSize(px);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

void drawFrame3D(QPainter &painter, QRect rect, const QColor &topLeft, const QColor &bottomRight,
                 int width) {
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        painter.fillRect(l, t, r - l, 1, topLeft);
        painter.fillRect(l, t, 1, b - t, topLeft);
        painter.fillRect(r, t, 1, b - t + 1, bottomRight);
        painter.fillRect(l, b, r - l + 1, 1, bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

} // namespace zem
