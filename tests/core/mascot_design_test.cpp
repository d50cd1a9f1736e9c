#include "app/form_design.h"
#include "app/window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace zem {
namespace {

constexpr BevelKind Flat = BevelKind::None;
constexpr BevelKind Raised = BevelKind::Raised;
constexpr BevelKind Space = BevelKind::Space;

struct FigureRow {
    const char *name;
    const char *parent;
    Rect rect;
    Color color;
    BevelKind bevel;
    int bevelWidth;
    bool visible;
    Rect visiblePart; // in figure coordinates, jaw at its design position
};

// The head as drawn up: every panel, and the part of it that can be seen.
// clang-format off
const FigureRow kFigure[] = {
    {"Panel32", "",        {392, 128, 81, 153}, clBlack,   Flat,   0, false, { 0,  0, 81, 153}},
    {"Panel33", "Panel32", { 16,  24,  57,  9}, clCream,   Flat,   0, false, {16, 24, 57,  9}},
    {"Panel34", "Panel32", {  8,  32,  65, 41}, clCream,   Flat,   0, false, { 8, 32, 65, 41}},
    {"Panel38", "Panel34", {  8,   8,  17, 17}, clYellow,  Space,  2, false, {16, 40, 17, 17}},
    {"Panel56", "Panel38", {  8,  16, 185, 41}, clBtnFace, Raised, 1, false, {24, 56,  9,  1}},
    {"Panel39", "Panel34", { 40,   8,  17, 17}, clYellow,  Space,  2, false, {48, 40, 17, 17}},
    {"Panel51", "Panel34", { 25,  30,   5,  5}, clBlack,   Raised, 1, false, {33, 62,  5,  5}},
    {"Panel52", "Panel34", { 35,  30,   5,  5}, clBlack,   Raised, 1, false, {43, 62,  5,  5}},
    {"Panel53", "Panel34", { 55,  31,  10, 10}, clBlack,   Flat,   0, false, {63, 63, 10, 10}},
    {"Panel54", "Panel34", { -1,  31,  10, 10}, clBlack,   Flat,   0, false, { 8, 63,  9, 10}},
    {"Panel59", "Panel34", { 56,  24, 185,  7}, clBtnFace, Flat,   0, true,  {64, 56,  9,  7}},
    {"Panel35", "Panel32", { 21,  72,  45, 10}, clWhite,   Raised, 1, false, {21, 72, 45, 10}},
    {"Panel43", "Panel35", { 10,   0,   5, 10}, clCream,   Raised, 1, false, {31, 72,  5, 10}},
    {"Panel44", "Panel35", { 18,   0,   5, 10}, clCream,   Raised, 1, false, {39, 72,  5, 10}},
    {"Panel45", "Panel35", { 26,   0,   5, 10}, clCream,   Raised, 1, false, {47, 72,  5, 10}},
    {"Panel46", "Panel35", { 34,   0,   5, 10}, clCream,   Raised, 1, false, {55, 72,  5, 10}},
    {"Panel36", "Panel32", {  8,  80,  65, 25}, clBlack,   Flat,   0, false, { 8, 80, 65, 25}},
    {"Panel37", "Panel36", {  8,   8,  65,  9}, clCream,   Flat,   0, false, {16, 88, 57,  9}},
    {"Panel40", "Panel36", { 13,   0,  45, 10}, clWhite,   Raised, 1, false, {21, 80, 45, 10}},
    {"Panel47", "Panel40", { 10,   0,   5, 10}, clCream,   Raised, 1, false, {31, 80,  5, 10}},
    {"Panel48", "Panel40", { 18,   0,   5, 10}, clCream,   Raised, 1, false, {39, 80,  5, 10}},
    {"Panel49", "Panel40", { 26,   0,   5, 10}, clCream,   Raised, 1, false, {47, 80,  5, 10}},
    {"Panel50", "Panel40", { 34,   0,   5, 10}, clCream,   Raised, 1, false, {55, 80,  5, 10}},
    {"Panel42", "Panel36", { 16,  16,  49,  9}, clCream,   Flat,   0, false, {24, 96, 49,  9}},
    {"Panel57", "Panel42", { 40,   0, 185, 41}, clBtnFace, Flat,   0, false, {64, 96,  9,  9}},
    {"Panel55", "Panel32", { 24,  16,  41,  9}, clCream,   Flat,   0, false, {24, 16, 41,  9}},
    {"Panel41", "Panel55", { 24, -32, 185, 41}, clBtnFace, Flat,   0, true,  {48, 16, 17,  9}},
    {"Panel58", "Panel32", { 56,  24,  17,  9}, clBtnFace, Flat,   0, true,  {56, 24, 17,  9}},
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

TEST_F(MascotDesign, EveryPanelOfTheHeadIsPlacedAndColouredAsDrawn) {
    std::map<ControlId, ControlId> lastChild; // by parent
    for (const FigureRow &row : kFigure) {
        SCOPED_TRACE(row.name);
        const ControlId id = model.id(row.name);
        const Control &c = model.at(id);
        EXPECT_EQ(c.kind, ControlKind::Panel);
        EXPECT_EQ(c.parent, *row.parent ? model.id(row.parent) : kWindow);
        EXPECT_EQ(c.rect, row.rect);
        EXPECT_EQ(c.color, row.color);
        EXPECT_EQ(c.bevel, row.bevel);
        EXPECT_EQ(c.bevelWidth, row.bevelWidth);
        EXPECT_EQ(c.visible, row.visible);
        EXPECT_FALSE(c.focusable);
        const std::string name = row.name;
        EXPECT_EQ(c.border, name == "Panel53" || name == "Panel54");
        // Creation order within each parent decides what lies on top.
        EXPECT_TRUE(!lastChild.count(c.parent) || lastChild[c.parent] < id);
        lastChild[c.parent] = id;
    }
}

// Captions no player can see: their panels' centres lie outside the visible
// part, or the text is drawn black on black.
TEST_F(MascotDesign, OnlySixPanelsCarryACaptionAndNoneShows) {
    const std::map<std::string, std::string> captions = {
        {"Panel41", "Panel41"}, {"Panel53", "Panel53"}, {"Panel54", "Panel53"},
        {"Panel56", "Panel56"}, {"Panel57", "Panel57"}, {"Panel59", "Panel59"}};
    for (const FigureRow &row : kFigure) {
        const auto caption = captions.find(row.name);
        EXPECT_EQ(model.text(model.id(row.name)), caption == captions.end() ? "" : caption->second)
            << row.name;
    }
    EXPECT_EQ(model.at(model.id("Panel53")).fontPx, 10);
    EXPECT_EQ(model.at(model.id("Panel54")).fontPx, 10);
    EXPECT_EQ(model.at(model.id("Panel41")).fontPx, 11);
}

TEST_F(MascotDesign, EachPanelShowsOnlyItsPartInsideEveryAncestor) {
    for (const FigureRow &row : kFigure)
        EXPECT_EQ(visiblePart(model.id(row.name)), row.visiblePart) << row.name;
}

} // namespace
} // namespace zem
