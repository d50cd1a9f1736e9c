// The history's cost at scale: storing one game, as the game does when it
// ends (every game synced to the disk), into a history of 10 games and of
// 100,000. Prints FIGURE lines for bench/run.
#include "history_fixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The median of `rounds` stores into a copy of the fixture.
double medianAddMs(const std::string &fixture, const std::string &scratch, int rounds) {
    fs::remove(scratch);
    fs::copy_file(fixture, scratch);
    zem::HistoryStore store(scratch);
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        const zem::GameRecord game = zem::bench::fixtureGame(1'000'000 + i);
        const auto t0 = std::chrono::steady_clock::now();
        if (!store.add(game)) {
            std::fprintf(stderr, "cannot store a game in %s\n", scratch.c_str());
            return -1;
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    std::nth_element(ms.begin(), ms.begin() + rounds / 2, ms.end());
    return ms[std::size_t(rounds / 2)];
}

} // namespace

int main() {
    // Beside the benchmark, in the build tree, wherever it is started from.
    const fs::path dir = fs::canonical("/proc/self/exe").parent_path() / "history-fixtures";
    fs::create_directories(dir);
    const std::string small = (dir / "history-10.sqlite3").string();
    const std::string large = (dir / "history-100000.sqlite3").string();
    const auto t0 = std::chrono::steady_clock::now();
    zem::bench::makeFixture(small, 10);
    zem::bench::makeFixture(large, 100'000);
    std::printf("fixtures ready in %.1f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());

    // Interleaved, so that a busy moment of the disk falls on both alike.
    std::vector<double> at10, at100k;
    for (int round = 0; round < 5; ++round) {
        at10.push_back(medianAddMs(small, (dir / "scratch-10.sqlite3").string(), 15));
        at100k.push_back(medianAddMs(large, (dir / "scratch-100000.sqlite3").string(), 15));
    }
    std::sort(at10.begin(), at10.end());
    std::sort(at100k.begin(), at100k.end());
    std::printf("FIGURE history_add_10_ms %.3f ms\n", at10[2]);
    std::printf("FIGURE history_add_100k_ms %.3f ms\n", at100k[2]);
    for (const char *name : {"scratch-10.sqlite3", "scratch-100000.sqlite3"})
        for (const char *suffix : {"", "-wal", "-shm"})
            fs::remove(dir / (std::string(name) + suffix));
    return 0;
}
