// The cost of one keystroke in the real window on the offscreen platform:
// the key press and release through the window's event path, the handlers,
// the widget updates, and the repaint of what changed (the posted update
// request is processed before the clock stops). A full-window repaint is
// measured in the same run as the reference.
#include "app/qt/form_window.h"
#include "app/qt/start_up.h"
#include "core/fakes.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRepaints = 500;

// Counts the paint events of every widget, to say what a keystroke repaints.
class PaintCounter final : public QObject {
public:
    long long paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// CPU time of this thread, which does all the work of a keystroke: unlike
// the wall clock it does not count the time other processes held the CPU.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = std::size_t(p * double(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

struct Bench {
    zem::test::FakeClock clock;
    zem::test::FixedRandom random;
    zem::test::MemoryRecordFile file;
    std::unique_ptr<zem::TForm1> form;
    std::unique_ptr<zem::FormWindow> window;
    int stroke = 0;

    Bench() {
        file.content = zem::test::freshRecords();
        random.next = {0, 7, 13, 21, 42, 9, 30, 17};
        form = std::make_unique<zem::TForm1>(clock, random, file);
        window = zem::openFormWindow(*form);
        if (!QTest::qWaitForWindowExposed(window.get()))
            std::fprintf(stderr, "the window never showed\n");
        // The first course, 100 strokes: the bar grows by almost three pixels
        // a stroke, so it repaints at every correct one.
        QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        QApplication::processEvents();
    }

    // Nine strokes in ten are the yellow key, the tenth a miss.
    char nextKey() {
        ++stroke;
        const std::string &target = form->state().TargetRomaji;
        if (stroke % 10 == 0 || target.empty())
            return target.empty() || target.front() != 'Q' ? 'q' : 'z';
        return char(target.front() - 'A' + 'a');
    }

    // A new game before this one could end, outside the measurement.
    void restartIfNeeded() {
        if (form->state().StrokeCount < form->state().CourseLength - 5)
            return;
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        QApplication::processEvents();
    }

    double cpuMs = 0; // of the last keystroke

    double keystroke(bool fullRepaint) {
        const char key = nextKey();
        const double cpu0 = threadCpuMs();
        const auto t0 = Clock::now();
        QTest::keyClick(window->windowHandle(), key);
        if (fullRepaint)
            window->repaint();
        QApplication::processEvents();
        const double wall = ms(Clock::now() - t0);
        cpuMs = threadCpuMs() - cpu0;
        return wall;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // A failure box would wait for a click forever: stop instead.
    QTimer boxGuard;
    QObject::connect(&boxGuard, &QTimer::timeout, [] {
        if (QApplication::activeModalWidget()) {
            std::fprintf(stderr, "an error box opened; the figures would be wrong\n");
            std::exit(1);
        }
    });
    boxGuard.start(0);
    // A smaller count is handy under a profiler.
    const int kStrokes = argc > 1 ? std::max(100, std::atoi(argv[1])) : 12'000;
    Bench bench;
    PaintCounter counter;
    for (int i = 0; i < 300; ++i) {
        bench.restartIfNeeded();
        bench.keystroke(false);
    }

    std::vector<double> strokes, strokesCpu;
    app.installEventFilter(&counter);
    for (int i = 0; i < kStrokes; ++i) {
        bench.restartIfNeeded();
        const long long before = counter.paints;
        strokes.push_back(bench.keystroke(false));
        strokesCpu.push_back(bench.cpuMs);
        if (counter.paints == before)
            std::fprintf(stderr, "stroke %d painted nothing\n", i);
    }
    const double paintsPerStroke = double(counter.paints) / kStrokes;
    app.removeEventFilter(&counter);

    std::vector<double> full;
    for (int i = 0; i < kRepaints; ++i) {
        const auto t0 = Clock::now();
        bench.window->repaint();
        full.push_back(ms(Clock::now() - t0));
    }
    std::vector<double> strokeAndFull;
    for (int i = 0; i < kRepaints * 4; ++i) {
        bench.restartIfNeeded();
        strokeAndFull.push_back(bench.keystroke(true));
    }

    std::printf("%d keystrokes of the 100-stroke course (9 in 10 correct), %.1f widgets painted "
                "per keystroke\n",
                kStrokes, paintsPerStroke);
    std::printf("FIGURE keystroke_p50_ms %.3f ms\n", percentile(strokes, 0.5));
    std::printf("FIGURE keystroke_p99_ms %.3f ms\n", percentile(strokes, 0.99));
    std::printf("FIGURE keystroke_cpu_p50_ms %.3f ms\n", percentile(strokesCpu, 0.5));
    std::printf("FIGURE keystroke_cpu_p99_ms %.3f ms\n", percentile(strokesCpu, 0.99));
    std::printf("FIGURE keystroke_widgets_painted %.1f widgets\n", paintsPerStroke);
    std::printf("FIGURE full_repaint_ms %.3f ms\n", percentile(full, 0.5));
    std::printf("FIGURE keystroke_full_repaint_p50_ms %.3f ms\n", percentile(strokeAndFull, 0.5));
    std::printf("FIGURE keystroke_full_repaint_p99_ms %.3f ms\n", percentile(strokeAndFull, 0.99));
    return 0;
}
