#include "model/clock.h"
#include "app/qt/form_window.h"
#include "app/qt/start_up.h"
#include "model/random.h"
#include "app/t_form1.h"
#include "records/disk_record_file.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);

    zem::SystemClock clock;
    zem::MersenneRandom random;
    zem::DiskRecordFile records("hiscore.dat");
    zem::TForm1 form(clock, random, records);

    auto window = zem::openFormWindow(form);

    return app.exec();
}
