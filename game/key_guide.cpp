#include "game/key_guide.h"

namespace zem {

KeyGuide::KeyGuide(WindowModel &model) : model_(model) {
    for (int i = 0; i < 30; ++i)
        panels_[std::size_t(i)] = model.id("Panel" + std::to_string(i + 1));
}

void KeyGuide::pressReset() {
    for (ControlId p : panels_)
        model_.setColor(p, clCream);
}

void KeyGuide::markNext(const std::string &targetRomaji) {
    const std::string next = targetRomaji.substr(0, 1);
    for (ControlId p : panels_)
        if (model_.text(p) == next)
            model_.setColor(p, clYellow);
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

} // namespace zem
