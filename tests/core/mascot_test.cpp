#include "app/form_design.h"
#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

std::vector<std::string> figurePanels() {
    std::vector<std::string> names;
    for (int n = 32; n <= 59; ++n)
        names.push_back("Panel" + std::to_string(n));
    return names;
}

class MascotFigure : public testing::Test {
protected:
    FormFixture f;
    void stroke() { f.press(f.state().TargetRomaji.front()); }
    int jawTop() { return f.at("Panel36").rect.top; }
    void expectEyes(Color c) {
        EXPECT_EQ(f.color("Panel38"), c);
        EXPECT_EQ(f.color("Panel39"), c);
    }
    void expectPatches(Color c) {
        for (const char *patch : {"Panel41", "Panel57", "Panel58", "Panel59"})
            EXPECT_EQ(f.color(patch), c) << patch;
    }
    void expectFigureShown(bool shown) {
        for (const std::string &name : figurePanels())
            EXPECT_EQ(f.shown(name.c_str()), shown) << name;
    }
};

TEST_F(MascotFigure, JawOpensAndClosesOverSixStrokesAndPatchesBlinkEveryStroke) {
    f.start();
    const int tops[] = {90, 100, 110, 100, 90, 80, 90, 100, 110, 100, 90, 80};
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        stroke();
        EXPECT_EQ(jawTop(), tops[n - 1]);
        expectEyes(clYellow);
        expectPatches(n % 2 == 1 ? clCream : clBtnFace);
    }
}

TEST_F(MascotFigure, MissBetweenStrokesTurnsOnlyTheEyesRed) {
    f.start();
    stroke();
    stroke();
    const std::vector<Control> before = f.model().controls();
    f.press('x');
    for (const std::string &name : figurePanels()) {
        const Control &was = before[std::size_t(f.model().id(name))];
        const Control &now = f.at(name.c_str());
        const bool eye = name == "Panel38" || name == "Panel39";
        EXPECT_EQ(now.color, eye ? clRed : was.color) << name;
        EXPECT_EQ(now.rect, was.rect) << name;
        EXPECT_EQ(now.visible, was.visible) << name;
    }
    stroke();
    EXPECT_EQ(jawTop(), 110);
    expectEyes(clYellow);
}

// Escape hides the figure, then its own character is a miss: the hidden eyes
// turn red. The next START shows it with yellow eyes, the jaw where it was.
TEST_F(MascotFigure, EscapeMidCycleAndANewStartContinueTheSameCycle) {
    f.start();
    stroke();
    stroke();
    f.escape();
    expectFigureShown(false);
    expectEyes(clRed);
    EXPECT_EQ(jawTop(), 100);
    f.tick();
    f.start();
    expectFigureShown(true);
    expectEyes(clYellow);
    EXPECT_EQ(jawTop(), 100);
    expectPatches(clBtnFace);
    stroke();
    EXPECT_EQ(jawTop(), 110);
}

TEST_F(MascotFigure, BlinkPatchesCountStrokesAcrossGames) {
    f.start();
    for (int i = 0; i < 3; ++i)
        stroke();
    f.escape();
    expectPatches(clCream);
    f.tick();
    f.start();
    expectPatches(clCream);
    stroke();
    expectPatches(clBtnFace);
    stroke();
    expectPatches(clCream);
}

TEST_F(MascotFigure, HideLeavesPanel58sOwnSettingAndShowRevealsEveryPanel) {
    EXPECT_FALSE(f.at("Panel56").visible);
    EXPECT_FALSE(f.at("Panel57").visible);
    f.start();
    expectFigureShown(true);
    f.escape();
    for (const std::string &name : figurePanels())
        EXPECT_EQ(f.at(name.c_str()).visible, name == "Panel58") << name;
    f.tick();
    f.start();
    expectFigureShown(true);
}

TEST_F(MascotFigure, CompletionMovesTheFigureUpAndLeavesItShown) {
    f.start();
    f.tick(30);
    while (f.model().windowHasFocus())
        stroke();
    EXPECT_EQ(f.at("Panel32").rect.top, 24);
    EXPECT_EQ(f.at("Panel32").rect.left, 392);
    expectFigureShown(true);
    expectEyes(clYellow);
    f.tick();
    f.start();
    EXPECT_EQ(f.at("Panel32").rect.top, 128);
}

} // namespace
} // namespace zem::test
