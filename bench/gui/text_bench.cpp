// 文章で練習 at the size of a novel: a 1 MB text in Aozora Bunko's notation
// (the example text's body over and over) opened in the real window on the
// offscreen platform, timed from the choice to its first phrase in place,
// and the program's own memory (the pages it wrote) before the choice and
// once the whole text is read. The reference is the same text as plain
// kana, one phrase's reading a line, which needs no analyser.
#include "app/player_choices.h"
#include "app/qt/form_window.h"
#include "app/qt/start_up.h"
#include "core/fakes.h"
#include "texts/mecab_analyser.h"
#include "texts/text_file.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

class NoSettings final : public zem::SettingsStore {
public:
    zem::PlayerSettings read() override { return {}; }
    void write(const zem::PlayerSettings &) override {}
};

// Private_Dirty + Shared_Dirty, in MB: what bench/run calls own memory.
double ownMb() {
    std::ifstream rollup("/proc/self/smaps_rollup");
    std::string key;
    double kb = 0, value = 0;
    while (rollup >> key) {
        if (key == "Private_Dirty:" || key == "Shared_Dirty:") {
            rollup >> value;
            kb += value;
        }
    }
    return kb / 1024;
}

std::string readAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The example text with its body repeated up to `bytes`.
std::string novel(std::size_t bytes) {
    const std::string sample = readAll(ZEM_SOURCE_TEXTS "/指が覚えるまで.txt");
    const std::string dashes = "-------------------------------------------------------";
    const std::size_t headerEnd = sample.find('\n', sample.find(dashes, sample.find(dashes) + 1));
    const std::size_t footer = sample.find("底本：");
    const std::string body = sample.substr(headerEnd + 1, footer - headerEnd - 1);
    std::string text = sample.substr(0, headerEnd + 1);
    while (text.size() < bytes)
        text += body;
    return text + sample.substr(footer);
}

// The same text as plain kana: each phrase's reading on a line of its own.
std::string asKana(const std::string &text) {
    std::string why;
    auto analyser = zem::openMecab(why);
    const zem::TextFile file = zem::readTextBytes(text, "novel");
    std::string kana;
    for (std::size_t i = 0; file.book && i < file.book->sentenceCount(); ++i)
        for (const zem::TextPhrase &p : file.book->phrasesOf(i, analyser.get()))
            kana += p.kana + "\n";
    return kana;
}

struct Figures {
    double firstMs = 0, growthMb = 0;
    std::size_t phrases = 0;
};

Figures measure(const std::string &path) {
    zem::test::FakeClock clock;
    zem::test::FixedRandom random;
    zem::test::MemoryRecordFile file;
    file.content = zem::test::freshRecords();
    NoSettings settings;
    zem::TForm1 form(clock, random, file);
    zem::PlayerChoices choices(form, settings, {}, {}, {});
    auto window = zem::openFormWindow(form);
    window->setChoices(&choices);
    if (!QTest::qWaitForWindowExposed(window.get()))
        std::fprintf(stderr, "the window never showed\n");
    QApplication::processEvents();
    const double before = ownMb();

    Figures f;
    const auto t0 = Clock::now();
    window->openText(path);
    while (!form.sources().text())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    f.firstMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    // Read through: no batch for a second.
    std::size_t seen = 0;
    auto still = Clock::now();
    while (Clock::now() - still < std::chrono::seconds(1)) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (form.sources().text()->size() != seen) {
            seen = form.sources().text()->size();
            still = Clock::now();
        }
    }
    f.phrases = seen;
    f.growthMb = ownMb() - before;
    return f;
}

// Runs this program again with `args`, so that each figure comes from a
// fresh process: neither MeCab nor the heap one text left behind counts
// for the other.
int runSelf(const std::vector<std::string> &args) {
    std::vector<char *> argv{const_cast<char *>("/proc/self/exe")};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string job = argc > 1 ? argv[1] : "";
    if (job == "--write" && argc == 4) { // the novel and its kana, outside the timing
        const std::string text = novel(1024 * 1024);
        std::ofstream(argv[2], std::ios::binary) << text;
        std::ofstream(argv[3], std::ios::binary) << asKana(text);
        std::fprintf(stderr, "novel: %zu bytes\n", text.size());
        return 0;
    }
    if (job == "--measure" && argc == 4) {
        QApplication app(argc, argv);
        const Figures f = measure(argv[3]);
        const std::string name = argv[2];
        std::fprintf(stderr, "%s: %zu phrases\n", name.c_str(), f.phrases);
        std::printf("FIGURE %s_first_phrase_ms %.1f ms\n", name.c_str(), f.firstMs);
        std::printf("FIGURE %s_own_growth_mb %.2f MB\n", name.c_str(), f.growthMb);
        std::fflush(stdout);
        return 0;
    }
    std::string why;
    if (!zem::openMecab(why)) {
        std::fprintf(stderr, "no analyser, nothing measured: %s\n", why.c_str());
        return 0;
    }
    char dir[] = "/tmp/zem-bench-text-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string novelPath = std::string(dir) + "/novel.txt",
                      kanaPath = std::string(dir) + "/kana.txt";
    int failed = runSelf({"--write", novelPath, kanaPath});
    failed |= runSelf({"--measure", "text", novelPath});
    failed |= runSelf({"--measure", "text_kana", kanaPath});
    std::remove(novelPath.c_str());
    std::remove(kanaPath.c_str());
    rmdir(dir);
    return failed;
}
