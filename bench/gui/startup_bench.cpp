// Process start to first painted frame: the game window against a bare
// window of the same size and fonts, each in fresh child processes.
// Prints FIGURE lines. The platform is QT_QPA_PLATFORM if set, else the X
// server of DISPLAY if there is one, else offscreen.
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

extern char **environ;

namespace {

constexpr int kRuns = 9;

struct Sample {
    double ms = 0;
    double rssMb = 0;
};

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

std::string readAll(int fd, int timeoutMs) {
    std::string out;
    char buf[256];
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, timeoutMs) > 0) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, std::size_t(n));
    }
    return out;
}

// Launches the probe with the launch time as its first argument and reads
// back "milliseconds rss-megabytes".
std::optional<Sample> runProbe(const std::string &path, const std::string &extra) {
    int fds[2];
    if (pipe(fds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const std::string launch = std::to_string(monotonicNs());
    std::vector<char *> argv{const_cast<char *>(path.c_str()), const_cast<char *>(launch.c_str())};
    if (!extra.empty())
        argv.push_back(const_cast<char *>(extra.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    const std::string out = readAll(fds[0], 20'000);
    close(fds[0]);
    kill(pid, SIGTERM); // in case it never painted
    waitpid(pid, nullptr, 0);
    Sample s;
    if (std::sscanf(out.c_str(), "%lf %lf", &s.ms, &s.rssMb) != 2)
        return std::nullopt;
    return s;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main() {
    const char *display = std::getenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", display && *display ? "xcb" : "offscreen", 0);
    std::printf("platform %s, %d runs each, medians\n", std::getenv("QT_QPA_PLATFORM"), kRuns);
    std::vector<double> gameMs, gameRss, bareMs, bareRss;
    // One unmeasured run each first, so both start from a warm file cache.
    runProbe(ZEM_GAME_PROBE, ZEM_RECORDS);
    runProbe(ZEM_BARE_PROBE, "");
    for (int i = 0; i < kRuns; ++i) {
        auto game = runProbe(ZEM_GAME_PROBE, ZEM_RECORDS);
        auto bare = runProbe(ZEM_BARE_PROBE, "");
        if (!game || !bare) {
            std::fprintf(stderr, "a probe did not report its first frame\n");
            return 1;
        }
        std::printf("run %d: game %.2f ms %.1f MB, bare %.2f ms %.1f MB\n", i + 1, game->ms,
                    game->rssMb, bare->ms, bare->rssMb);
        gameMs.push_back(game->ms);
        gameRss.push_back(game->rssMb);
        bareMs.push_back(bare->ms);
        bareRss.push_back(bare->rssMb);
    }
    const double game = median(gameMs), bare = median(bareMs);
    std::printf("FIGURE startup_ms %.1f ms\n", game);
    std::printf("FIGURE startup_bare_ms %.1f ms\n", bare);
    std::printf("FIGURE startup_ratio %.2f x\n", game / bare);
    std::printf("FIGURE startup_rss_mb %.1f MB\n", median(gameRss));
    std::printf("FIGURE startup_bare_rss_mb %.1f MB\n", median(bareRss));
    std::printf("FIGURE startup_rss_delta_mb %.1f MB\n", median(gameRss) - median(bareRss));
    return 0;
}
