#pragma once

#include "model/colors.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zem {

enum class ControlKind {
    Label,
    Shape,
    Bevel,
    Panel,
    Button,
    GroupBox,
    RadioButton,
    ComboBox,
    ProgressBar,
};

enum class Align { Left, Right };
enum class ShapeKind { RoundRect, Ellipse };
// A space bevel is drawn exactly like a raised one; it is kept apart only so
// the design table reads like the design.
enum class BevelKind { None, Raised, Space, Lowered };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect &) const = default;
};

// Index of a control in the window model; -1 is the window itself.
using ControlId = int;
inline constexpr ControlId kWindow = -1;

// One control of the window as plain data: everything the game logic reads or
// writes, plus what the presenter needs to draw it as designed.
struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    ControlId parent = kWindow;
    Rect rect;
    std::string text;     // UTF-8 caption
    bool visible = true;  // the control's own setting; see WindowModel::isShown
    Color color = clMenu; // background or fill
    int fontPx = 11;      // character height in pixels
    Color fontColor = clWindowText;
    Align align = Align::Left;
    int anchorRight = 0; // right edge kept by a right-aligned auto-sized label
    bool autoSize = false;
    // A label that shows how far its text is typed: the first `greyedBytes`
    // bytes in `greyedColor`, then `markedBytes` on `markedColor`, the rest in
    // the font colour. Both 0: one colour, as every design label.
    std::size_t greyedBytes = 0;
    std::size_t markedBytes = 0;
    Color greyedColor = clSilver;
    Color markedColor = clYellow;

    // Panels and shapes.
    BevelKind bevel = BevelKind::None;
    int bevelWidth = 0;
    bool border = false; // 1-px border in the panel's own colour
    ShapeKind shape = ShapeKind::RoundRect;
    Color penColor = clBlack;
    bool clearPen = false;

    // Focus and input.
    bool focusable = false;
    bool enabled = true; // a disabled control takes neither clicks nor the focus
    int tabOrder = 0;
    bool checked = false;
    std::vector<std::string> items;
    int itemIndex = -1;

    // Progress bar.
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int step = 1;
};

} // namespace zem
