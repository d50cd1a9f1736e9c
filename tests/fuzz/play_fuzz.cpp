// Random play steered by the fuzzer: its bytes choose every event, and the
// rules that hold after any event are checked after each one.
#include "play_checks.h"
#include "random_play.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Hands out the input's bytes as choices; zeros once they are used up.
class ByteChoices final : public zem::Random {
public:
    ByteChoices(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    void seed(std::uint32_t) override {}
    int below(int bound) override {
        unsigned value = next();
        if (bound > 256)
            value = value << 8 | next();
        return int(value % unsigned(bound));
    }
    bool usedUp() const { return at_ >= size_; }

private:
    unsigned next() { return at_ < size_ ? data_[at_++] : 0; }
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    using namespace zem::test;
    if (size == 0)
        return 0;
    FakeClock clock;
    clock.utcMs = data[0];
    zem::MersenneRandom phrases;
    MemoryRecordFile file;
    file.content = freshRecords();
    file.failWrites = data[0] == 0xFF;
    zem::TForm1 form(clock, phrases, file);
    form.FormCreate();
    form.model().activate();

    ByteChoices choose(data + 1, size - 1);
    RandomPlay play(form, clock, choose);
    PlayChecks checks(form, file);
    for (int event = 0; !choose.usedUp(); ++event) {
        checks.before();
        play.step();
        const std::string problems = checks.after(play);
        if (!problems.empty()) {
            std::fprintf(stderr, "event %d, %s: %s\nlast events: %s\n", event,
                         phaseName(play.phase()), problems.c_str(), play.recent().c_str());
            std::abort();
        }
    }
    return 0;
}
