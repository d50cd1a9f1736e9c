#include "app/form_design.h"
#include "game/key_guide.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zem::test {
namespace {

// The finger guide on the design's keyboard: each key at rest wears its
// finger's tint, the finger line names the finger of the next key, and the
// yellow and red marks go over the tints as over cream.
TEST(KeyGuide, FingerGuideTintsEachKeyByItsFingerAndNamesTheNextKeysFinger) {
    const std::pair<const char *, const char *> fingers[] = {
        {"QAZ", "左手 小指"},        {"WSX", "左手 薬指"},        {"EDC", "左手 中指"},
        {"RTFGVB", "左手 人差し指"}, {"YUHJNM", "右手 人差し指"}, {"IK,", "右手 中指"},
        {"OL.", "右手 薬指"},        {"P;/", "右手 小指"},
    };
    WindowModel model(formControls());
    KeyGuide guide(model);
    const ControlId line = model.id("FingerLabel");
    const auto panel = [&](char caption) {
        for (ControlId p : guide.panels())
            if (model.text(p) == std::string(1, caption))
                return p;
        ADD_FAILURE() << "no key " << caption;
        return guide.panels().front();
    };
    EXPECT_FALSE(model.isShown(line));
    guide.showFingers(true);
    EXPECT_TRUE(model.isShown(line));

    std::map<std::string, Color> tintOf; // by finger
    std::size_t keys = 0;
    for (const auto &[captions, name] : fingers) {
        const Color tint = model.color(panel(captions[0]));
        tintOf[name] = tint;
        for (const char *c = captions; *c; ++c, ++keys) {
            SCOPED_TRACE(std::string(1, *c));
            EXPECT_EQ(model.color(panel(*c)), tint);
            EXPECT_EQ(guide.spokenName(panel(*c)), std::string(1, *c) + " " + name);
            guide.markNext(std::string(1, *c) + "X");
            EXPECT_EQ(model.color(panel(*c)), clYellow);
            EXPECT_EQ(model.text(line), name);
            guide.markMiss(*c);
            EXPECT_EQ(model.color(panel(*c)), clRed);
            guide.pressReset();
            EXPECT_EQ(model.color(panel(*c)), tint);
        }
    }
    EXPECT_EQ(keys, 30u);
    // Pale, so that a black letter reads on it, and apart from the marks.
    for (const auto &[name, tint] : tintOf) {
        SCOPED_TRACE(name);
        EXPECT_GE(std::min({redOf(tint), greenOf(tint), blueOf(tint)}), 0xC0);
        EXPECT_TRUE(tint != clCream && tint != clYellow && tint != clRed);
    }
    // Neighbouring fingers differ; the index fingers meet between T and Y.
    const char *order[] = {"小指", "薬指", "中指", "人差し指"};
    for (const char *hand : {"左手 ", "右手 "})
        EXPECT_EQ((std::set<Color>{
                       tintOf[std::string(hand) + order[0]], tintOf[std::string(hand) + order[1]],
                       tintOf[std::string(hand) + order[2]], tintOf[std::string(hand) + order[3]]})
                      .size(),
                  4u);

    guide.markNext("");
    EXPECT_EQ(model.text(line), "");
    guide.markNext("K");
    guide.showFingers(false);
    EXPECT_FALSE(model.isShown(line));
    EXPECT_EQ(model.color(panel('K')), clYellow) << "a mark outlives the switch";
    EXPECT_EQ(guide.spokenName(panel('K')), "K");
    guide.pressReset();
    for (ControlId p : guide.panels())
        EXPECT_EQ(model.color(p), clCream);
}

} // namespace
} // namespace zem::test
