#include "app/form_design.h"
#include "fakes.h"
#include "model/failure.h"

#include <gtest/gtest.h>

#include <set>

namespace zem::test {
namespace {

struct RecordingCanvas final : Canvas {
    int calls = 0;
    void roundRect(int l, int t, int r, int b, int cw, int ch, Color pen, Color fill) override {
        ++calls;
        EXPECT_EQ((std::vector<int>{l, t, r, b, cw, ch}),
                  (std::vector<int>{15, 15, 485, 330, 20, 20}));
        EXPECT_EQ(pen, clBlack);
        EXPECT_EQ(fill, clMenu);
    }
};

TEST(DesignTable, ListsEveryControlOnceWithParentsFirst) {
    const auto controls = formControls();
    std::set<std::string> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(names.insert(controls[i].name).second) << controls[i].name;
        EXPECT_LT(controls[i].parent, int(i)) << controls[i].name;
    }
    // 13 labels and the reading line, 4 shapes, 5 bevels, 59 panels, START,
    // the selector, the bar, the group and its two buttons; beyond the
    // design, the finger line.
    EXPECT_EQ(controls.size(), 13u + 1 + 4 + 5 + 59 + 1 + 1 + 1 + 3 + 1);
}

TEST(StartUp, SeedsFromUtcLoadsRecordsAndPaintsOnce) {
    FakeClock clock;
    clock.utcMs = 4321;
    FixedRandom random;
    MemoryRecordFile file;
    file.content = "85.5\r\n";
    for (int i = 1; i < 40; ++i)
        *file.content += (i == 20 ? "12.25" : "0") + std::string("\r\n");
    TForm1 form(clock, random, file);
    RecordingCanvas canvas;
    form.FormCreate(canvas);
    EXPECT_EQ(random.seeded, 4321u);
    EXPECT_EQ(canvas.calls, 1);
    EXPECT_EQ(form.model().text(form.Label12), "85.5打/分");
    EXPECT_EQ(form.model().text(form.Label13), "12.25打/分");
}

TEST(StartUp, MissingRecordFileFailsBeforePaintingAndKeepsDesignLabels) {
    FakeClock clock;
    FixedRandom random;
    MemoryRecordFile file; // nothing there
    TForm1 form(clock, random, file);
    RecordingCanvas canvas;
    try {
        form.FormCreate(canvas);
        FAIL() << "expected the open failure";
    } catch (const Failure &f) {
        EXPECT_STREQ(f.what(), "ファイル hiscore.dat は開けません");
        EXPECT_EQ(boxMessage(f.what()), "ファイル hiscore.dat は開けません.");
    }
    EXPECT_EQ(canvas.calls, 0);
    EXPECT_TRUE(random.seeded.has_value()) << "seeding comes before the load";
    EXPECT_EQ(form.model().text(form.Label12), "0打/分");
    EXPECT_EQ(form.model().text(form.Label13), "0打/分");
}

TEST(StartUp, ShowsTheIdleScreenWithStartFocused) {
    FormFixture f;
    EXPECT_EQ(f.model().focus(), f.model().id("Button1"));
    EXPECT_EQ(f.text("Label1"), "タイピングZem");
    EXPECT_EQ(f.text("Label3"), "0打");
    EXPECT_EQ(f.text("Label4"), "0分0秒");
    EXPECT_EQ(f.text("Label5"), "0打/分");
    EXPECT_EQ(f.text("Label7"), "0打");
    EXPECT_EQ(f.text("Label8"), "100打コース");
    for (const char *hidden : {"Label2", "Shape1", "Shape2", "Shape3", "Shape4", "Panel32"})
        EXPECT_FALSE(f.shown(hidden)) << hidden;
    for (const char *shown : {"Label9", "Button1", "ComboBox1", "groupbox1", "RadioButton2",
                              "RadioButton1", "Panel1", "Panel30", "Panel31"})
        EXPECT_TRUE(f.shown(shown)) << shown;
    EXPECT_TRUE(f.form->wordMode());
    EXPECT_EQ(f.model().itemIndex(f.model().id("ComboBox1")), 0);
    EXPECT_EQ(f.model().at(f.model().id("Label1")).rect.left, 75);
}

TEST(StartUp, ShortRecordFileShowsMissingLinesAsEmpty) {
    FormFixture f("1\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(f.text("Label12"), "1打/分");
    EXPECT_EQ(f.text("Label13"), "打/分");
}

TEST(StartUp, ShowsALineThatIsNoNumberUnchanged) {
    FormFixture f("abc\r\n");
    EXPECT_EQ(f.text("Label12"), "abc打/分");
}

} // namespace
} // namespace zem::test
