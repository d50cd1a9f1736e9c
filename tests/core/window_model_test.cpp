#include "app/form_design.h"
#include "model/window_model.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

class WindowModelTest : public testing::Test {
protected:
    WindowModel model{formControls()};
    ControlId id(const char *name) { return model.id(name); }
};

TEST_F(WindowModelTest, FontPointsBecomePixelsAtNinetySixDpi) {
    model.setFontPoints(id("Label10"), 9);
    EXPECT_EQ(model.at(id("Label10")).fontPx, 12);
    model.setFontPoints(id("Label10"), 12);
    EXPECT_EQ(model.at(id("Label10")).fontPx, 16);
}

TEST_F(WindowModelTest, LeftAlignedLabelKeepsItsLeftEdgeWhenItGrows) {
    const ControlId label = id("Label10"); // "単語", 15 px, left edge 232
    model.setFontPoints(label, 12);
    EXPECT_EQ(model.at(label).rect, (Rect{232, 150, 32, 16}));
    model.setText(label, "AB単語");
    EXPECT_EQ(model.at(label).rect, (Rect{232, 150, 48, 16}));
}

TEST_F(WindowModelTest, RightAlignedLabelKeepsItsRightEdge) {
    const ControlId label = id("Label3"); // "0打", right edge 111
    model.setText(label, "1234打");
    EXPECT_EQ(model.at(label).rect.right(), 111);
    EXPECT_EQ(model.at(label).rect.width, 4 * 8 + 15);
    model.setFontPoints(id("Label13"), 12); // "0打/分", right edge 376
    EXPECT_EQ(model.at(id("Label13")).rect, (Rect{376 - 48, 172, 48, 16}));
}

TEST_F(WindowModelTest, MeasuresHalfAndFullWidthCharactersLikeTheDesign) {
    // The design sizes of the labels follow from their texts.
    for (const Control &c : model.controls()) {
        if (c.kind == ControlKind::Label && !c.text.empty()) {
            EXPECT_EQ(WindowModel::textWidth(c.text, c.fontPx), c.rect.width) << c.name;
        }
    }
    EXPECT_EQ(WindowModel::textWidth("タイピングZem", 39), 255);
    EXPECT_EQ(WindowModel::textWidth("ｱ", 12), 6); // half-width katakana
}

TEST_F(WindowModelTest, HiddenParentHidesChildrenButKeepsTheirOwnSetting) {
    const ControlId group = id("groupbox1"), word = id("RadioButton2");
    model.setVisible(group, false);
    EXPECT_FALSE(model.isShown(word));
    EXPECT_TRUE(model.at(word).visible);
    model.setVisible(word, false);
    model.setVisible(group, true);
    EXPECT_FALSE(model.isShown(word));
    model.setVisible(word, true);
    EXPECT_TRUE(model.isShown(word));
}

TEST_F(WindowModelTest, RadioClickChecksTheUncheckedButtonOnly) {
    const ControlId word = id("RadioButton2"), proverb = id("RadioButton1");
    EXPECT_TRUE(model.checked(word));
    EXPECT_FALSE(model.clickRadio(word)) << "the checked one changes nothing";
    EXPECT_TRUE(model.clickRadio(proverb));
    EXPECT_TRUE(model.checked(proverb));
    EXPECT_FALSE(model.checked(word));
}

TEST_F(WindowModelTest, ProgressBarStepsWithinItsRange) {
    const ControlId bar = id("ProgressBar1");
    EXPECT_EQ(model.at(bar).maximum, 100);
    model.stepIt(bar);
    EXPECT_EQ(model.at(bar).position, 1);
    model.setMaximum(bar, 1);
    model.stepIt(bar);
    EXPECT_EQ(model.at(bar).position, 1);
    model.setPosition(bar, 0);
    EXPECT_EQ(model.at(bar).position, 0);
}

TEST_F(WindowModelTest, FocusGoesToStartThenFollowsTheTabOrder) {
    EXPECT_TRUE(model.windowHasFocus());
    model.activate();
    EXPECT_EQ(model.focus(), id("Button1"));
    EXPECT_EQ(model.tabStops(),
              (std::vector<ControlId>{id("Button1"), id("RadioButton2"), id("ComboBox1")}));
    model.clickRadio(id("RadioButton1"));
    EXPECT_EQ(model.tabStops()[1], id("RadioButton1")) << "the checked button is the tab stop";
}

TEST_F(WindowModelTest, HidingTheFocusedControlLeavesTheFocusWithTheWindow) {
    model.activate();
    model.setVisible(id("ComboBox1"), false);
    EXPECT_EQ(model.focus(), id("Button1"));
    model.setVisible(id("Button1"), false);
    EXPECT_TRUE(model.windowHasFocus());
    EXPECT_FALSE(model.setFocus(id("Button1"))) << "a hidden control cannot take the focus";
    EXPECT_FALSE(model.setFocus(id("Label1"))) << "labels never take the focus";
}

TEST_F(WindowModelTest, ReportsEachChangedControlOnce) {
    model.takeChanges();
    model.setColor(id("Panel1"), clYellow);
    model.setColor(id("Panel1"), clRed);
    model.setColor(id("Panel2"), clCream); // unchanged: no change to report
    model.setText(id("Label1"), "ABC");
    EXPECT_EQ(model.takeChanges(), (std::vector<ControlId>{id("Panel1"), id("Label1")}));
    EXPECT_TRUE(model.takeChanges().empty());
}

} // namespace
} // namespace zem
