#include "model/code_page_932.h"
#include "records/disk_record_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

std::string fortyLines() {
    std::string s;
    for (int i = 0; i < 40; ++i)
        s += "127.7\r\n";
    return s;
}

// A directory beside the system's temporary files, gone after the run.
struct BenchDir {
    std::filesystem::path path;
    BenchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zem-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        path = pattern;
    }
    ~BenchDir() { std::filesystem::remove_all(path); }
};

// One save as the game makes it: new file, flush, exchange, flush directory.
void BM_SaveRecords(benchmark::State &state) {
    BenchDir dir;
    const std::string path = (dir.path / "hiscore.dat").string();
    std::ofstream(path) << fortyLines();
    zem::DiskRecordFile file(path);
    const std::string text = fortyLines();
    for (auto _ : state)
        if (!file.write(text))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveRecords)->Unit(benchmark::kMicrosecond);

// Reference: truncating and writing in place, with nothing flushed.
void BM_TruncateAndWriteReference(benchmark::State &state) {
    BenchDir dir;
    const std::string path = (dir.path / "hiscore.dat").string();
    const std::string text = fortyLines();
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }
}
BENCHMARK(BM_TruncateAndWriteReference)->Unit(benchmark::kMicrosecond);

void BM_DisplayShiftJisLine(benchmark::State &state) {
    const std::string line = "\x93\xfa\x96\x7b\x8c\xea 123.4 \xb1\xb2";
    for (auto _ : state)
        benchmark::DoNotOptimize(zem::showCodePage932(line));
}
BENCHMARK(BM_DisplayShiftJisLine);

} // namespace
