#include "app/t_form1.h"
#include "records/record_file.h"

#include <benchmark/benchmark.h>

#include <iomanip>
#include <unistd.h>
#include <vector>

namespace {

struct StillClock final : zem::Clock {
    std::int64_t ms = 43'200'000;
    double localTimeOfDay() override { return double(ms) / 86'400'000.0; }
    std::uint32_t utcMillisecondsOfDay() override { return 1; }
    std::int64_t monotonicMilliseconds() override { return ms; }
    zem::WallTime wallTime() override { return {ms / 1000, 0}; }
};

struct NullRecords final : zem::RecordFile {
    std::optional<std::string> read() override {
        std::string s;
        for (int i = 0; i < 40; ++i)
            s += "0\r\n";
        return s;
    }
    bool write(const std::string &) override { return true; }
};

// One keystroke through the handlers: key-down, character, key-up, over a
// whole 2000-stroke course. The figure is per keystroke.
void BM_Keystroke(benchmark::State &state) {
    StillClock clock;
    zem::MersenneRandom random;
    NullRecords records;
    zem::TForm1 form(clock, random, records);
    form.FormCreate();
    form.model().setItemIndex(form.ComboBox1, 19);
    form.ComboBox1Change();
    std::int64_t strokes = 0;
    for (auto _ : state) {
        if (form.state().ClockRunning == 0) {
            form.Button1Click();
            clock.ms += 1000;
            form.Timer1Timer();
        }
        std::uint16_t key = 'A';
        char ch = form.state().TargetRomaji.empty() ? 'A' : form.state().TargetRomaji.front();
        form.FormKeyDown(key, 0);
        form.FormKeyPress(ch);
        if (form.model().windowHasFocus())
            form.FormKeyUp(key, 0);
        form.model().takeChanges();
        ++strokes;
    }
    state.SetItemsProcessed(strokes);
}
BENCHMARK(BM_Keystroke);

// The console table as usual, plus one line per figure that bench/run
// collects: "FIGURE <key> <value> <unit>".
class FigureReporter final : public benchmark::ConsoleReporter {
public:
    FigureReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        // A run that failed or was skipped carries no time (whether the library
        // flags it error_occurred, up to 1.7, or skipped, from 1.8), so a time
        // above zero is what marks a measured run in every version.
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.GetAdjustedRealTime() > 0 &&
                run.benchmark_name() == "BM_Keystroke")
                keystrokeUs_ = run.GetAdjustedRealTime() /
                               benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (keystrokeUs_ >= 0)
            GetOutputStream() << "FIGURE core_keystroke_us " << std::fixed << std::setprecision(3)
                              << keystrokeUs_ << " us\n";
    }

private:
    double keystrokeUs_ = -1;
};

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
