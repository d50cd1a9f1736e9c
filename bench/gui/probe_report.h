#pragma once

// Shared by the two start-up probes: the time since the parent launched the
// probe, and the probe's resident memory, printed once the first frame of
// its window is painted.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace zem::bench {

inline long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

inline double residentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0.0;
}

// Reports when the first paint pass of `window` has finished (the queued
// call runs after every child of that pass is painted and flushed), then
// quits. The parent's launch time comes as the first argument.
class FirstPaintReport final : public QObject {
public:
    FirstPaintReport(QWidget *window, long long launchNs) : launchNs_(launchNs) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const double ms = double(monotonicNs() - launchNs_) / 1e6;
                    std::printf("%.3f %.2f\n", ms, residentMb());
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    long long launchNs_;
    bool seen_ = false;
};

inline long long launchTime(int argc, char **argv) {
    return argc > 1 ? std::atoll(argv[1]) : monotonicNs();
}

} // namespace zem::bench
