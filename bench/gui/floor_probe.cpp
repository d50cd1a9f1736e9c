// The floor for the game on an X server (bench/peers_xvfb.bench): the window
// of floor_window.h, shown and given the focus as the game's is. With --clock
// its timer repaints a clock label each second, as the game's does while a
// game runs. Plain Qt, no game code. Runs until it is killed.
#include "floor_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    zem::bench::useFloorStyle();
    zem::bench::FloorWindow window(QApplication::arguments().contains(QStringLiteral("--clock")));
    window.show();
    window.activateWindow();
    return app.exec();
}
