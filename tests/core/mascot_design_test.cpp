#include "app/form_design.h"
#include "model/window_model.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zem {
namespace {

struct FigureRow {
    const char *name;
    Rect visiblePart; // in figure coordinates, jaw at its design position
};

// What can be seen of each panel of the head, as drawn up: the design's
// oversized blink patches and eye line only show through their ancestors.
// clang-format off
const FigureRow kFigure[] = {
    {"Panel32", { 0,  0, 81, 153}},
    {"Panel33", {16, 24, 57,   9}},
    {"Panel34", { 8, 32, 65,  41}},
    {"Panel38", {16, 40, 17,  17}},
    {"Panel56", {24, 56,  9,   1}},
    {"Panel39", {48, 40, 17,  17}},
    {"Panel51", {33, 62,  5,   5}},
    {"Panel52", {43, 62,  5,   5}},
    {"Panel53", {63, 63, 10,  10}},
    {"Panel54", { 8, 63,  9,  10}},
    {"Panel59", {64, 56,  9,   7}},
    {"Panel35", {21, 72, 45,  10}},
    {"Panel43", {31, 72,  5,  10}},
    {"Panel44", {39, 72,  5,  10}},
    {"Panel45", {47, 72,  5,  10}},
    {"Panel46", {55, 72,  5,  10}},
    {"Panel36", { 8, 80, 65,  25}},
    {"Panel37", {16, 88, 57,   9}},
    {"Panel40", {21, 80, 45,  10}},
    {"Panel47", {31, 80,  5,  10}},
    {"Panel48", {39, 80,  5,  10}},
    {"Panel49", {47, 80,  5,  10}},
    {"Panel50", {55, 80,  5,  10}},
    {"Panel42", {24, 96, 49,   9}},
    {"Panel57", {64, 96,  9,   9}},
    {"Panel55", {24, 16, 41,   9}},
    {"Panel41", {48, 16, 17,   9}},
    {"Panel58", {56, 24, 17,   9}},
};
// clang-format on

class MascotDesign : public testing::Test {
protected:
    WindowModel model{formControls()};

    // The part of a panel inside every ancestor, in figure coordinates.
    Rect visiblePart(ControlId id) {
        const ControlId figure = model.id("Panel32");
        auto origin = [&](ControlId c) { // top-left corner in figure coordinates
            int x = 0, y = 0;
            for (; c != figure; c = model.at(c).parent)
                x += model.at(c).rect.left, y += model.at(c).rect.top;
            return std::pair{x, y};
        };
        auto [x, y] = origin(id);
        int left = x, top = y, right = x + model.at(id).rect.width,
            bottom = y + model.at(id).rect.height;
        for (ControlId a = id; a != figure;) {
            a = model.at(a).parent;
            auto [ax, ay] = origin(a);
            left = std::max(left, ax);
            top = std::max(top, ay);
            right = std::min(right, ax + model.at(a).rect.width);
            bottom = std::min(bottom, ay + model.at(a).rect.height);
        }
        return {left, top, right - left, bottom - top};
    }
};

TEST_F(MascotDesign, EachPanelShowsOnlyItsPartInsideEveryAncestor) {
    for (const FigureRow &row : kFigure)
        EXPECT_EQ(visiblePart(model.id(row.name)), row.visiblePart) << row.name;
}

} // namespace
} // namespace zem
