#include "app/form_design.h"

namespace zem {

namespace {

constexpr bool yes = true;
constexpr bool no = false;
constexpr BevelKind Flat = BevelKind::None;
constexpr BevelKind Raised = BevelKind::Raised;
constexpr BevelKind Space = BevelKind::Space;

struct MascotRow {
    const char *name;
    const char *parent;
    Rect rect; // left, top within the parent; width, height
    Color color;
    BevelKind bevel;
    int bevelWidth;
    bool border; // 1-px border in the panel's own colour
    bool visible;
    const char *caption;
};

// The head, in creation order within each parent: a later panel lies above
// an earlier one. Each panel shows only what lies inside all its ancestors,
// which is how the oversized blink patches become small notches.
// clang-format off
const MascotRow kMascot[] = {
    // name      parent     left top  width height colour bevel  width border shown caption
    {"Panel33", "Panel32", { 16,  24,  57,   9}, clCream,   Flat,   0, no,  no,  ""},
    {"Panel34", "Panel32", {  8,  32,  65,  41}, clCream,   Flat,   0, no,  no,  ""},
    {"Panel38", "Panel34", {  8,   8,  17,  17}, clYellow,  Space,  2, no,  no,  ""},
    {"Panel56", "Panel38", {  8,  16, 185,  41}, clBtnFace, Raised, 1, no,  no,  "Panel56"},
    {"Panel39", "Panel34", { 40,   8,  17,  17}, clYellow,  Space,  2, no,  no,  ""},
    {"Panel51", "Panel34", { 25,  30,   5,   5}, clBlack,   Raised, 1, no,  no,  ""},
    {"Panel52", "Panel34", { 35,  30,   5,   5}, clBlack,   Raised, 1, no,  no,  ""},
    {"Panel53", "Panel34", { 55,  31,  10,  10}, clBlack,   Flat,   0, yes, no,  "Panel53"},
    {"Panel54", "Panel34", { -1,  31,  10,  10}, clBlack,   Flat,   0, yes, no,  "Panel53"},
    {"Panel59", "Panel34", { 56,  24, 185,   7}, clBtnFace, Flat,   0, no,  yes, "Panel59"},
    {"Panel35", "Panel32", { 21,  72,  45,  10}, clWhite,   Raised, 1, no,  no,  ""},
    {"Panel43", "Panel35", { 10,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel44", "Panel35", { 18,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel45", "Panel35", { 26,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel46", "Panel35", { 34,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel36", "Panel32", {  8,  80,  65,  25}, clBlack,   Flat,   0, no,  no,  ""},
    {"Panel37", "Panel36", {  8,   8,  65,   9}, clCream,   Flat,   0, no,  no,  ""},
    {"Panel40", "Panel36", { 13,   0,  45,  10}, clWhite,   Raised, 1, no,  no,  ""},
    {"Panel47", "Panel40", { 10,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel48", "Panel40", { 18,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel49", "Panel40", { 26,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel50", "Panel40", { 34,   0,   5,  10}, clCream,   Raised, 1, no,  no,  ""},
    {"Panel42", "Panel36", { 16,  16,  49,   9}, clCream,   Flat,   0, no,  no,  ""},
    {"Panel57", "Panel42", { 40,   0, 185,  41}, clBtnFace, Flat,   0, no,  no,  "Panel57"},
    {"Panel55", "Panel32", { 24,  16,  41,   9}, clCream,   Flat,   0, no,  no,  ""},
    {"Panel41", "Panel55", { 24, -32, 185,  41}, clBtnFace, Flat,   0, no,  yes, "Panel41"},
    {"Panel58", "Panel32", { 56,  24,  17,   9}, clBtnFace, Flat,   0, no,  yes, ""},
};
// clang-format on

} // namespace

// The mascot: a black ground and, nested inside it, the panels of the head.
void appendMascotDesign(std::vector<Control> &v) {
    v.push_back(
        makePanel("Panel32", "", v, {392, 128, 81, 153}, clBlack, BevelKind::None, 0, false));
    v.back().tabOrder = 36;
    for (const MascotRow &row : kMascot) {
        v.push_back(makePanel(row.name, row.parent, v, row.rect, row.color, row.bevel,
                              row.bevelWidth, row.visible));
        v.back().border = row.border;
        v.back().text = row.caption;
        // The two corner squares carry their caption in a 10-px cell.
        if (row.border)
            v.back().fontPx = 10;
    }
}

} // namespace zem
