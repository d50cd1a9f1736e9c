#include "game/key_guide.h"

#include "game/fingers.h"

namespace zem {

KeyGuide::KeyGuide(WindowModel &model) : model_(model), fingerLine_(model.id("FingerLabel")) {
    for (int i = 0; i < 30; ++i)
        panels_[std::size_t(i)] = model.id("Panel" + std::to_string(i + 1));
}

Color KeyGuide::restingColor(ControlId panel, bool fingers) const {
    const Finger *finger = fingers ? fingerOf(model_.text(panel)) : nullptr;
    return finger ? finger->tint : clCream;
}

void KeyGuide::pressReset() {
    for (ControlId p : panels_)
        model_.setColor(p, restingColor(p, fingers_));
}

void KeyGuide::markNext(const std::string &targetRomaji) {
    const std::string next = targetRomaji.substr(0, 1);
    for (ControlId p : panels_)
        if (model_.text(p) == next)
            model_.setColor(p, clYellow);
    if (!fingers_)
        return;
    const Finger *finger = next.empty() ? nullptr : fingerOf(next);
    model_.setText(fingerLine_, finger ? std::string(finger->name) : std::string());
}

ControlId KeyGuide::missPanel(char typed) const {
    // Letters mark their key in either case; the punctuation keys only for
    // their own, unshifted character.
    char key = typed;
    if (key >= 'a' && key <= 'z')
        key = char(key - 'a' + 'A');
    const bool letter = key >= 'A' && key <= 'Z';
    const bool punctuation = key == ';' || key == ',' || key == '.' || key == '/';
    if (!letter && !punctuation)
        return kWindow;
    for (ControlId p : panels_)
        if (model_.text(p).size() == 1 && model_.text(p)[0] == key)
            return p;
    return kWindow;
}

void KeyGuide::markMiss(char typed) {
    ControlId p = missPanel(typed);
    if (p != kWindow)
        model_.setColor(p, clRed);
}

void KeyGuide::gameOver() {
    model_.setText(fingerLine_, std::string());
}

// A marked key keeps its mark; the next press reset gives it its new
// resting colour.
void KeyGuide::showFingers(bool on) {
    for (ControlId p : panels_)
        if (model_.color(p) == restingColor(p, fingers_))
            model_.setColor(p, restingColor(p, on));
    fingers_ = on;
    model_.setVisible(fingerLine_, on);
    if (!on)
        gameOver();
}

std::string KeyGuide::spokenName(ControlId panel) const {
    const std::string &caption = model_.text(panel);
    const Finger *finger = fingers_ ? fingerOf(caption) : nullptr;
    return finger ? caption + " " + std::string(finger->name) : caption;
}

} // namespace zem
