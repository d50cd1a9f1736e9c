#include "app/qt/desktop_identity.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace zem {

void useDesktopIdentity() {
    // Task bars (and Wayland, which has no other way) match the windows with
    // the installed typing-zem.desktop by this name, for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("typing-zem"));
    // The picture is linked into the program, so the window has its icon
    // even when run from the build folder, before any install. Read as PNG
    // and nothing else: a reader left to guess the format loads every image
    // plugin installed (and libjpeg with one) to ask each, before the window
    // can map.
    QImageReader reader(QStringLiteral(":/typing-zem.png"), "png");
    reader.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(reader.read())));
}

} // namespace zem
