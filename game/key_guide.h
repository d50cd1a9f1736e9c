#pragma once

#include "model/window_model.h"

#include <array>
#include <string>

namespace zem {

// The 30 on-screen keys: yellow for the next letter, red for the key of a
// miss until the next character, cream otherwise.
class KeyGuide {
public:
    explicit KeyGuide(WindowModel &model);

    // Every key back to cream.
    void pressReset();
    // The key whose caption equals the first letter of the target turns
    // yellow; the comparison is case-sensitive and an empty target marks none.
    void markNext(const std::string &targetRomaji);
    // The key of a missed character turns red: a letter in either case, or one
    // of ";", ",", ".", "/" itself. Any other character marks nothing.
    void markMiss(char typed);

    // The panel a missed character marks, or kWindow for none.
    ControlId missPanel(char typed) const;
    const std::array<ControlId, 30> &panels() const { return panels_; }

private:
    WindowModel &model_;
    std::array<ControlId, 30> panels_{};
};

} // namespace zem
