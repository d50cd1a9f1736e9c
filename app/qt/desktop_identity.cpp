#include "app/qt/desktop_identity.h"

#include <QApplication>
#include <QIcon>

namespace zem {

void useDesktopIdentity() {
    // Task bars (and Wayland, which has no other way) match the windows with
    // the installed typing-zem.desktop by this name, for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("typing-zem"));
    // The picture is linked into the program, so the window has its icon
    // even when run from the build folder, before any install.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/typing-zem.png")));
}

} // namespace zem
