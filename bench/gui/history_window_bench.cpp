// The 成績 window opened on a history of 10 games and of 100,000 (all of
// them in one course, the one it opens on): from construction to the first
// frame painted with the history read, offscreen. Prints FIGURE lines for bench/run.
#include "../history_fixture.h"
#include "app/qt/design_look.h"
#include "app/qt/history_window.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

double openMs(const std::string &path) {
    const auto t0 = std::chrono::steady_clock::now();
    {
        zem::HistoryWindow window(path, nullptr);
        window.showFor(zem::GameMode::Word, 100);
        // The history is read on a thread; its view comes back as an event.
        while (window.busy())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents(); // shown: laid out and painted once
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zem::useDesignStyle();

    const auto dir =
        std::filesystem::canonical("/proc/self/exe").parent_path() / "history-fixtures";
    std::filesystem::create_directories(dir);
    const std::string small = (dir / "history-10.sqlite3").string();
    const std::string large = (dir / "history-100000.sqlite3").string();
    zem::bench::makeFixture(small, 10);
    zem::bench::makeFixture(large, 100'000);

    openMs(small); // fonts and styles loaded once, for both alike
    openMs(large);
    std::vector<double> at10, at100k;
    for (int round = 0; round < 9; ++round) {
        at10.push_back(openMs(small));
        at100k.push_back(openMs(large));
    }
    std::printf("FIGURE history_open_10_ms %.3f ms\n", median(at10));
    std::printf("FIGURE history_open_100k_ms %.3f ms\n", median(at100k));
    return 0;
}
