#include "app/form_design.h"

#include <stdexcept>

namespace zem {

namespace {

ControlId find(const std::vector<Control> &controls, const std::string &name) {
    if (name.empty())
        return kWindow;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name)
            return ControlId(i);
    throw std::logic_error("design table: parent " + name + " comes after its child");
}

// An auto-sized label. For a right-aligned label the table gives the right
// edge it keeps.
Control label(std::string name, int left, int top, int width, int height, std::string text,
              Align align, int fontPx, Color fontColor, Color background, bool visible) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Label;
    c.rect = {left, top, width, height};
    c.text = std::move(text);
    c.align = align;
    c.anchorRight = left + width;
    c.autoSize = true;
    c.fontPx = fontPx;
    c.fontColor = fontColor;
    c.color = background;
    c.visible = visible;
    return c;
}

// The speech bubble's shapes, all filled white and hidden until START.
Control shape(std::string name, Rect rect, ShapeKind kind, bool clearPen) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Shape;
    c.rect = rect;
    c.shape = kind;
    c.color = clWhite;
    c.penColor = clNone;
    c.clearPen = clearPen;
    c.visible = false;
    return c;
}

// A sunken 1-px box.
Control bevel(std::string name, Rect rect) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Bevel;
    c.rect = rect;
    c.bevel = BevelKind::Lowered;
    c.bevelWidth = 1;
    return c;
}

Control keyPanel(int number, std::string caption, int left, int top) {
    Control c;
    c.name = "Panel" + std::to_string(number);
    c.kind = ControlKind::Panel;
    c.rect = {left, top, 30, 30};
    c.text = std::move(caption);
    c.color = clCream;
    c.bevel = BevelKind::Raised;
    c.bevelWidth = 3;
    c.fontPx = 16;
    c.tabOrder = 4 + number;
    return c;
}

} // namespace

const FormDesign &formDesign() {
    static const FormDesign design{
        "タイピングZemVer3.0", {246, 176, 507, 373}, 491, 334, clMenu, 11};
    return design;
}

Control makePanel(std::string name, std::string parent, const std::vector<Control> &existing,
                  Rect rect, Color color, BevelKind bevelKind, int bevelWidth, bool visible) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Panel;
    c.parent = find(existing, parent);
    c.rect = rect;
    c.color = color;
    c.bevel = bevelKind;
    c.bevelWidth = bevelWidth;
    c.visible = visible;
    return c;
}

std::vector<Control> formControls() {
    constexpr Align L = Align::Left;
    constexpr Align R = Align::Right;
    std::vector<Control> v;

    // Drawn on the window's surface, each over the ones before it.
    // clang-format off
    v.push_back(bevel("Bevel5", {296, 128, 89, 17}));
    v.push_back(bevel("Bevel4", {224, 150, 161, 46}));
    v.push_back(bevel("Bevel2", {120, 150, 97, 46}));
    v.push_back(bevel("Bevel3", {23, 150, 98, 46}));
    //                 name       left top  w    h   text at start   align px colour     background show
    v.push_back(label("Label3",   88, 150, 23,  15, "0打",          R, 15, clBlue,       clMenu,  true));
    v.push_back(label("Label4",  163, 150, 46,  15, "0分0秒",       R, 15, clNavy,       clMenu,  true));
    v.push_back(label("Label5",  163, 172, 46,  15, "0打/分",       R, 15, clNavy,       clMenu,  true));
    v.push_back(label("Label6",   30, 172, 32,  15, "MISS",         L, 15, clRed,        clMenu,  true));
    v.push_back(label("Label7",   89, 172, 23,  15, "0打",          R, 15, clRed,        clMenu,  true));
    v.push_back(label("Label8",  302, 128, 66,  12, "100打コース",  L, 12, clRed,        clMenu,  true));
    v.push_back(label("Label9",  339,  98, 132, 11, "ローマ字入力の練習ゲーム", L, 11, clWindowText, clMenu, true));
    v.push_back(bevel("Bevel1", {23, 128, 274, 15}));
    v.push_back(label("Label10", 232, 150, 30,  15, "単語",         L, 15, clWindowText, clMenu,  true));
    v.push_back(label("Label11", 224, 172, 44,  11, "ことわざ",     L, 11, clWindowText, clMenu,  true));
    v.push_back(label("Label12", 330, 150, 46,  15, "0打/分",       R, 15, clNavy,       clMenu,  true));
    v.push_back(label("Label13", 342, 172, 34,  11, "0打/分",       R, 11, clNavy,       clMenu,  true));
    v.push_back(label("Label1",   75,  66, 255, 39, "タイピングZem", L, 39, clWindowText, clNone,  true));
    v.push_back(shape("Shape1", {24, 24, 449, 33}, ShapeKind::RoundRect, false));
    v.push_back(shape("Shape2", {432, 24, 41, 73}, ShapeKind::Ellipse, false));
    v.push_back(shape("Shape3", {448, 56, 17, 73}, ShapeKind::Ellipse, false));
    v.push_back(label("Label2",   56,  32, 8,   16, "",             L, 16, clRed,        clWhite, false));
    // Not in the design: the phrase's reading, shown only when the player asks.
    v.push_back(label("ReadingLine", 56, 46, 8, 12, "",             L, 12, clWindowText, clWhite, false));
    v.push_back(shape("Shape4", {416, 40, 49, 33}, ShapeKind::Ellipse, true));
    // clang-format on

    // Windowed controls, above everything drawn on the surface.
    v.push_back(
        makePanel("Panel31", "", v, {24, 200, 361, 121}, clSilver, BevelKind::Raised, 1, true));
    v.back().tabOrder = 35;

    Control bar;
    bar.name = "ProgressBar1";
    bar.kind = ControlKind::ProgressBar;
    bar.rect = {23, 128, 274, 15};
    bar.minimum = 0, bar.maximum = 100, bar.step = 1, bar.position = 0;
    v.push_back(bar);

    Control group;
    group.name = "groupbox1";
    group.kind = ControlKind::GroupBox;
    group.rect = {398, 234, 75, 63};
    group.color = clBtnFace;
    group.tabOrder = 2;
    v.push_back(group);

    Control word;
    word.name = "RadioButton2";
    word.kind = ControlKind::RadioButton;
    word.parent = find(v, "groupbox1");
    word.rect = {6, 14, 53, 15};
    word.text = "単語";
    word.checked = true;
    word.color = clMenu;
    word.focusable = true;
    word.tabOrder = 0;
    v.push_back(word);

    Control proverb = word;
    proverb.name = "RadioButton1";
    proverb.rect = {6, 37, 61, 16};
    proverb.text = "ことわざ";
    proverb.checked = false;
    proverb.color = clBtnFace;
    proverb.fontColor = clBlack;
    proverb.tabOrder = 1;
    v.push_back(proverb);

    Control start;
    start.name = "Button1";
    start.kind = ControlKind::Button;
    start.rect = {398, 197, 75, 30};
    start.text = "START";
    start.color = clBtnFace;
    start.focusable = true;
    start.tabOrder = 1;
    v.push_back(start);

    Control course;
    course.name = "ComboBox1";
    course.kind = ControlKind::ComboBox;
    course.rect = {398, 302, 68, 19};
    for (int i = 1; i <= 20; ++i)
        course.items.push_back(std::to_string(i * 100));
    course.itemIndex = 0;
    course.text = "100";
    course.color = clWhite;
    course.focusable = true;
    course.tabOrder = 4;
    v.push_back(course);

    // The on-screen keys, staggered like a keyboard's letter rows.
    const char *top = "QWERTYUIOP";
    const int topLeft[] = {46, 76, 107, 137, 168, 198, 228, 259, 289, 320};
    const char *home = "ASDFGHJKL;";
    const int homeLeft[] = {53, 83, 113, 144, 174, 205, 235, 265, 296, 326};
    const char *bottom = "ZXCVBNM,./";
    const int bottomLeft[] = {69, 99, 129, 159, 189, 220, 250, 280, 311, 341};
    for (int i = 0; i < 10; ++i)
        v.push_back(keyPanel(1 + i, std::string(1, top[i]), topLeft[i], 210));
    for (int i = 0; i < 10; ++i)
        v.push_back(keyPanel(11 + i, std::string(1, home[i]), homeLeft[i], 239));
    for (int i = 0; i < 10; ++i)
        v.push_back(keyPanel(21 + i, std::string(1, bottom[i]), bottomLeft[i], 270));

    appendMascotDesign(v);

    // Beyond the design, hidden until the finger guide is on: the finger of
    // the next key, in the keyboard's tray below its bottom row.
    v.push_back(label("FingerLabel", 46, 304, 0, 12, "", L, 12, clWindowText, clSilver, false));
    return v;
}

} // namespace zem
