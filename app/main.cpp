#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/start_up.h"
#include "app/t_form1.h"
#include "history/csv_export.h"
#include "history/history_path.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "model/clock.h"
#include "model/random.h"
#include "records/disk_record_file.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

// --history-csv: every game to standard output, with no display at all.
int exportHistory(const std::string &path) {
    if (!zem::historyExists(path))
        return zem::writeHistoryCsv(nullptr, std::cout) && std::cout ? 0 : 1;
    zem::HistoryStore store(path);
    const zem::HistoryState &state = store.state();
    if (!state.setAside.empty())
        std::cerr << "typing-zem: the history was damaged and is kept as " << state.setAside
                  << "; a new one was started.\n";
    if (state.kind == zem::HistoryState::Kind::Unavailable) {
        std::cerr << "typing-zem: cannot read " << path << ": " << state.detail << "\n";
        return 1;
    }
    const bool whole = zem::writeHistoryCsv(&store, std::cout);
    std::cout.flush();
    if (!whole || !std::cout) {
        std::cerr << "typing-zem: the history could not be read or written out to its end.\n";
        return 1;
    }
    return state.setAside.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    const std::string historyPath =
        zem::historyPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (argc == 2 && std::strcmp(argv[1], "--history-csv") == 0)
        return exportHistory(historyPath);
    const bool historyAlone = argc == 2 && std::strcmp(argv[1], "--history") == 0;

    zem::sendFramesThroughTheSocket();
    QApplication app(argc, argv);
    if (historyAlone) {
        auto window = zem::openHistoryWindow(historyPath);
        return app.exec();
    }

    zem::SystemClock clock;
    zem::MersenneRandom random;
    zem::DiskRecordFile records("hiscore.dat");
    zem::NoHistory noHistory;
    std::unique_ptr<zem::HistoryWriter> writer;
    if (!historyPath.empty())
        writer = std::make_unique<zem::HistoryWriter>(historyPath);
    zem::TForm1 form(clock, random, records,
                     writer ? static_cast<zem::GameHistory &>(*writer) : noHistory);

    auto window = zem::openFormWindow(form, historyPath, writer.get());

    return app.exec();
}
