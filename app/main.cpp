#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/quit_on_signals.h"
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

// What a reader found, in one line, when it is no history to write out.
const char *unreadable(zem::HistoryState::Kind kind) {
    using Kind = zem::HistoryState::Kind;
    switch (kind) {
    case Kind::Damaged:
        return "is damaged (the game repairs it when it next keeps a game)";
    case Kind::Locked:
        return "is locked by another program";
    case Kind::TooOld:
    case Kind::Unavailable:
        return "cannot be read";
    default:
        return nullptr;
    }
}

// --history-csv: every game to standard output, with no display at all. It
// only reads: a history it cannot read stays as it is, and it says why.
int exportHistory(const std::string &path) {
    zem::HistoryStore store(path, zem::HistoryStore::Role::Reader);
    const zem::HistoryState &state = store.state();
    if (const char *why = unreadable(state.kind)) {
        std::cerr << "typing-zem: " << path << " " << why << ": " << state.detail << "\n";
        return 1;
    }
    const bool whole = zem::writeHistoryCsv(
        state.kind == zem::HistoryState::Kind::Missing ? nullptr : &store, std::cout);
    std::cout.flush();
    if (!whole || !std::cout) {
        const char *why = unreadable(store.state().kind);
        std::cerr << "typing-zem: "
                  << (why ? path + " " + why + ": " + store.state().detail
                          : std::string("the history could not be read or "
                                        "written out to its end"))
                  << "\n";
        return 1;
    }
    return 0;
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
    zem::quitOnTerminationSignals();
    if (historyAlone) {
        auto window = zem::openHistoryWindow(historyPath);
        return zem::terminationRequested() ? 0 : app.exec();
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

    return zem::terminationRequested() ? 0 : app.exec();
}
