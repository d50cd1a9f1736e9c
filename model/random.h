#pragma once

#include <cstdint>
#include <random>

namespace zem {

// The game's source of chance: seeded once at start-up, then asked for
// uniform integers below a bound.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(std::uint32_t seed) = 0;
    // A uniform integer in 0 .. bound - 1.
    virtual int below(int bound) = 0;
};

class MersenneRandom final : public Random {
public:
    void seed(std::uint32_t seed) override { engine_.seed(seed); }
    int below(int bound) override {
        // Rejection keeps every value equally likely, whatever the library.
        const std::uint32_t limit = std::uint32_t(0xFFFFFFFFu - 0xFFFFFFFFu % std::uint32_t(bound));
        std::uint32_t r;
        do
            r = std::uint32_t(engine_());
        while (r >= limit);
        return int(r % std::uint32_t(bound));
    }

private:
    std::mt19937 engine_{5489u};
};

} // namespace zem
