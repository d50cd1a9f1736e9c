#pragma once

#include "model/control.h"

#include <string>
#include <vector>

namespace zem {

// The window itself, as designed.
struct FormDesign {
    std::string caption;
    Rect outer; // outer frame on the screen
    int clientWidth;
    int clientHeight;
    Color color;
    int fontPx;
};

const FormDesign &formDesign();

// Every control of the window with its design properties, in creation order:
// parents before children, and within one parent a later control lies above
// an earlier one.
std::vector<Control> formControls();

// The mascot's panels, appended in their own creation order.
void appendMascotDesign(std::vector<Control> &controls);

// Helpers shared by the design tables.
Control makePanel(std::string name, std::string parent, const std::vector<Control> &existing,
                  Rect rect, Color color, BevelKind bevel, int bevelWidth, bool visible);

} // namespace zem
