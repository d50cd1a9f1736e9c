#pragma once

#include "history/history_store.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zem::bench {

// A made-up game of word mode, course 100, ending `n` minutes after the
// first: speeds wander between 80 and 200, with a miss or two on a few keys.
inline GameRecord fixtureGame(int n) {
    GameRecord g;
    g.finishedAt = {1'780'000'000 + std::int64_t(n) * 60, 9 * 3600};
    g.completed = n % 7 != 0;
    g.strokes = g.completed ? 100 : n % 100;
    g.misses = n % 13;
    g.seconds = 30 + n % 45;
    g.speed = g.completed ? std::to_string(80 + (n * 37) % 120) : "";
    const char keys[] = "AKUSENTIMOR";
    for (int k = 0; k < 11; ++k)
        g.keys.push_back({keys[k], 9 + (n + k) % 5, (n + k) % 3 == 0 ? 1 : 0});
    g.confusions = {{'K', 'L', 1 + n % 2}, {'U', 'I', 1}};
    g.syllables = {{"ku", 1 + n % 2}, {"tu", 1}};
    return g;
}

// A history of `games` games at `path`, made once and kept: generating a
// hundred thousand takes a while.
inline void makeFixture(const std::string &path, int games) {
    if (std::filesystem::exists(path))
        return;
    const std::string making = path + ".making";
    std::filesystem::remove(making);
    {
        HistoryStore store(making, HistoryStore::Role::Writer, HistoryStore::Durability::Relaxed);
        for (int n = 0; n < games; ++n)
            store.add(fixtureGame(n));
    }
    std::filesystem::rename(making, path);
}

} // namespace zem::bench
