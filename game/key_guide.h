#pragma once

#include "model/window_model.h"

#include <array>
#include <string>

namespace zem {

// The 30 on-screen keys: yellow for the next letter, red for the key of a
// miss until the next character, cream otherwise. With the finger guide on,
// a key at rest wears its finger's tint instead of cream, and the line under
// the keyboard names the finger of the next key.
class KeyGuide {
public:
    explicit KeyGuide(WindowModel &model);

    // Every key back to its resting colour.
    void pressReset();
    // The key whose caption equals the first letter of the target turns
    // yellow; the comparison is case-sensitive and an empty target marks none.
    // The finger line names that key's finger, and nothing when there is none.
    void markNext(const std::string &targetRomaji);
    // The key of a missed character turns red: a letter in either case, or one
    // of ";", ",", ".", "/" itself. Any other character marks nothing.
    void markMiss(char typed);
    // A game ended: no key is next any more.
    void gameOver();

    // Between games: keys at rest take their tints (or cream again), and the
    // finger line shows (or hides).
    void showFingers(bool on);
    // What a screen reader says for a key: its caption, and its finger while
    // the finger guide is on.
    std::string spokenName(ControlId panel) const;

    // The panel a missed character marks, or kWindow for none.
    ControlId missPanel(char typed) const;
    const std::array<ControlId, 30> &panels() const { return panels_; }

private:
    Color restingColor(ControlId panel, bool fingers) const;

    WindowModel &model_;
    std::array<ControlId, 30> panels_{};
    ControlId fingerLine_;
    bool fingers_ = false;
};

} // namespace zem
