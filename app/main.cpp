#include "app/command_line.h"
#include "app/form_design.h"
#include "app/player_choices.h"
#include "app/qt/error_box.h"
#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/quit_on_signals.h"
#include "app/qt/settings_file.h"
#include "app/qt/start_up.h"
#include "app/t_form1.h"
#include "history/csv_export.h"
#include "history/history_path.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "model/clock.h"
#include "model/failure.h"
#include "model/random.h"
#include "records/disk_record_file.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

// Why a history is not written out, in one line.
const char *unreadable(zem::HistoryState::Kind kind) {
    using Kind = zem::HistoryState::Kind;
    switch (kind) {
    case Kind::Damaged:
        return "is damaged (the game repairs it when it next keeps a game)";
    case Kind::Locked:
        return "is locked by another program";
    default:
        return "cannot be read";
    }
}

// --history-csv: every game to standard output, with no display at all, by
// the export's rule for each state of the history. It only reads: a history
// it cannot read stays as it is, and it says why.
int exportHistory(const std::string &path) {
    using Outcome = zem::CsvExport::Outcome;
    const zem::CsvExport done = zem::writeHistoryCsv(path, std::cout);
    std::cout.flush();
    if (done.outcome == Outcome::Written && std::cout)
        return 0;
    std::cerr << "typing-zem: ";
    if (!done.spoolError.empty())
        std::cerr << done.spoolError << ": the games waiting there cannot be read";
    else if (done.outcome != Outcome::Written && done.state.kind != zem::HistoryState::Kind::Ready)
        std::cerr << path << " " << unreadable(done.state.kind) << ": " << done.state.detail;
    else
        std::cerr << "the history could not be read or written out to its end";
    std::cerr << "\n";
    return 1;
}

int refuse(const std::string &error) {
    std::cerr << "typing-zem: " << error << "\n" << zem::usageText();
    return 2;
}

bool displayNamed() {
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char *value = std::getenv(name); value && *value)
            return true;
    return false;
}

// The example lists: installed beside the records, or in the source tree of
// a build that was never installed.
std::string shippedLists() {
    std::error_code error;
    if (std::filesystem::is_directory(ZEM_INSTALLED_LISTS, error))
        return ZEM_INSTALLED_LISTS;
    return ZEM_SOURCE_LISTS;
}

// The lesson book, found as the example lists are.
std::string lessonBook() {
    std::error_code error;
    if (std::filesystem::is_directory(ZEM_INSTALLED_LESSONS, error))
        return ZEM_INSTALLED_LESSONS;
    return ZEM_SOURCE_LESSONS;
}

// The example texts, found as the example lists are.
std::string shippedTexts() {
    std::error_code error;
    if (std::filesystem::is_directory(ZEM_INSTALLED_TEXTS, error))
        return ZEM_INSTALLED_TEXTS;
    return ZEM_SOURCE_TEXTS;
}

} // namespace

int main(int argc, char *argv[]) {
    // Help and the export need no display, so the arguments are read before
    // Qt connects to one; an error waits until Qt has taken its own options
    // (-platform and the like) out, unless there is no display for Qt anyway.
    zem::CommandLine line = zem::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.error.empty() && line.job == zem::CommandLine::Job::Help) {
        std::cout << zem::usageText();
        return 0;
    }
    const std::string historyPath =
        zem::historyPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (line.error.empty() && line.job == zem::CommandLine::Job::HistoryCsv)
        return exportHistory(historyPath);
    if (!line.error.empty() && !displayNamed())
        return refuse(line.error);

    zem::sendFramesThroughTheSocket();
    QApplication app(argc, argv);
    zem::quitOnTerminationSignals();
    std::vector<std::string> args;
    for (const QString &arg : app.arguments().mid(1))
        args.push_back(arg.toStdString());
    line = zem::parseCommandLine(args);
    if (!line.error.empty())
        return refuse(line.error);
    if (line.job == zem::CommandLine::Job::Help) {
        std::cout << zem::usageText();
        return 0;
    }
    if (line.job == zem::CommandLine::Job::HistoryCsv)
        return exportHistory(historyPath);
    if (line.job == zem::CommandLine::Job::History) {
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
    zem::SettingsFile settings(zem::settingsPath());
    zem::PlayerChoices choices(form, settings, shippedLists(), lessonBook(), shippedTexts());
    const zem::PlayerChoices::Told told = choices.start(line.spelling, line.phrasesFile);

    auto window = zem::openFormWindow(form, historyPath, writer.get());
    window->setChoices(&choices);
    // Told once, over the window, which then plays the built-in table.
    if (told.notice)
        zem::showNoticeBox(window.get(), window->windowTitle(), told.message);
    else if (!told.message.empty())
        zem::showErrorBox(window.get(), window->windowTitle(), told.message);
    // Once the weak spots are read: a practice game, or the box says why not.
    if (line.practice)
        window->dispatch([&] { form.practiceWhenRead(); });
    if (!line.textFile.empty())
        window->openText(line.textFile);
    if (line.lesson != 0)
        window->dispatch([&] {
            if (const std::string why = choices.startLesson(line.lesson); !why.empty())
                throw zem::Failure(why);
        });
    return zem::terminationRequested() ? 0 : app.exec();
}
