// The real program's start-up, stopped at its first painted frame.
// Usage: startup_game_probe LAUNCH_NS RECORD_FILE
#include "app/qt/form_window.h"
#include "app/qt/start_up.h"
#include "app/t_form1.h"
#include "model/clock.h"
#include "model/random.h"
#include "probe_report.h"
#include "records/disk_record_file.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    const long long launch = zem::bench::launchTime(argc, argv);
    QApplication app(argc, argv);
    zem::SystemClock clock;
    zem::MersenneRandom random;
    zem::DiskRecordFile records(argc > 2 ? argv[2] : "hiscore.dat");
    zem::TForm1 form(clock, random, records);
    auto window = zem::openFormWindow(form);
    zem::bench::FirstPaintReport report(window.get(), launch);
    return app.exec();
}
