// The reference for the start-up figure: the floor window of floor_window.h,
// the game's size, fonts and widgets with no game behind it.
// Usage: startup_bare_probe LAUNCH_NS
#include "floor_window.h"
#include "probe_report.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    const long long launch = zem::bench::launchTime(argc, argv);
    QApplication app(argc, argv);
    zem::bench::useFloorStyle();
    zem::bench::FloorWindow window(false);
    window.show();
    zem::bench::FirstPaintReport report(&window, launch);
    return app.exec();
}
