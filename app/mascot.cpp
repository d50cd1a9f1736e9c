#include "app/mascot.h"

#include <string>

namespace zem {

Mascot::Mascot(WindowModel &model)
    : model_(model), body_(model.id("Panel32")), upperTeeth_(model.id("Panel35")),
      jaw_(model.id("Panel36")), lowerTeeth_(model.id("Panel40")), leftEye_(model.id("Panel38")),
      rightEye_(model.id("Panel39")) {
    // Panel32 to Panel59 in number order, leaving out Panel58.
    std::size_t k = 0;
    for (int n = 32; n <= 59; ++n)
        if (n != 58)
            hideOrder_[k++] = model.id("Panel" + std::to_string(n));
    const char *patches[] = {"Panel41", "Panel57", "Panel58", "Panel59"};
    for (std::size_t i = 0; i < 4; ++i)
        blinkPatches_[i] = model.id(patches[i]);
}

void Mascot::hide() {
    for (ControlId p : hideOrder_)
        model_.setVisible(p, false);
}

void Mascot::show() {
    for (ControlId p : hideOrder_)
        model_.setVisible(p, true);
    setEyes(clYellow);
}

void Mascot::missReaction() {
    setEyes(clRed);
}

void Mascot::strokeStep() {
    jawStep();
    setEyes(clYellow);
    blinkStep();
}

void Mascot::setEyes(Color color) {
    model_.setColor(leftEye_, color);
    model_.setColor(rightEye_, color);
}

// The jaw moves one tooth-height per correct stroke: down until it nears the
// bottom of the figure, then up until it meets the upper teeth. Both bounds are
// tested on the position before the step; the lower one decides a tie.
void Mascot::jawStep() {
    const Rect jaw = model_.at(jaw_).rect;
    const Rect upper = model_.at(upperTeeth_).rect;
    const int step = model_.at(lowerTeeth_).rect.height;
    const int figureHeight = model_.at(body_).rect.height;
    if (jaw.top < upper.top + upper.height) {
        JawOpening = 1;
        JawClosing = 0;
    }
    if (jaw.top > figureHeight - jaw.height - 2 * step) {
        JawOpening = 0;
        JawClosing = 1;
    }
    if (JawOpening == 1 && JawClosing == 0)
        model_.setTop(jaw_, jaw.top + step);
    if (JawClosing == 1 && JawOpening == 0)
        model_.setTop(jaw_, jaw.top - step);
}

void Mascot::blinkStep() {
    BlinkPhase += 1;
    if (BlinkPhase == 2)
        BlinkPhase = 0;
    if (BlinkPhase == 1)
        for (ControlId p : blinkPatches_)
            model_.setColor(p, clCream);
    if (BlinkPhase == 0)
        for (ControlId p : blinkPatches_)
            model_.setColor(p, clBtnFace);
}

} // namespace zem
