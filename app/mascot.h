#pragma once

#include "model/window_model.h"

#include <array>
#include <cstdint>

namespace zem {

// The cartoon head: its panels and the three values that drive it. Its jaw,
// blink patches and phase carry over from game to game for the whole run.
class Mascot {
public:
    explicit Mascot(WindowModel &model);

    void hide();         // every panel but Panel58, which keeps its own setting
    void show();         // the same panels shown, then both eyes yellow
    void missReaction(); // eyes red
    void strokeStep();   // jaw one step, eyes yellow, blink patches switched

    ControlId body() const { return body_; }
    std::int32_t BlinkPhase = 0; // 1 while the blink patches are cream
    std::int32_t JawOpening = 0; // 1 while the jaw moves down
    std::int32_t JawClosing = 0; // 1 while the jaw moves up

private:
    void setEyes(Color color);
    void jawStep();
    void blinkStep();

    WindowModel &model_;
    ControlId body_, upperTeeth_, jaw_, lowerTeeth_, leftEye_, rightEye_;
    std::array<ControlId, 27> hideOrder_{};
    std::array<ControlId, 4> blinkPatches_{};
};

} // namespace zem
