#include "app/form_design.h"
#include "game/key_guide.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zem::test {
namespace {

// Every key of the design's keyboard wears the tint of its finger at rest,
// and the finger line names the finger of the key marked next.
TEST(KeyGuide, FingerGuideTintsEachKeyAndNamesTheNextKeysFinger) {
    const std::pair<const char *, const char *> fingers[] = {
        {"QAZ", "左手 小指"},        {"WSX", "左手 薬指"},        {"EDC", "左手 中指"},
        {"RTFGVB", "左手 人差し指"}, {"YUHJNM", "右手 人差し指"}, {"IK,", "右手 中指"},
        {"OL.", "右手 薬指"},        {"P;/", "右手 小指"},
    };
    WindowModel model(formControls());
    KeyGuide guide(model);
    guide.showFingers(true);
    std::map<char, ControlId> keys;
    for (ControlId p : guide.panels())
        keys[model.text(p).front()] = p;
    std::vector<Color> tints;
    for (const auto &[captions, name] : fingers) {
        tints.push_back(model.color(keys[captions[0]]));
        for (const char *c = captions; *c; ++c) {
            SCOPED_TRACE(std::string(1, *c));
            EXPECT_EQ(model.color(keys[*c]), tints.back());
            guide.markNext(std::string(1, *c));
            EXPECT_EQ(model.text(model.id("FingerLabel")), name);
            keys.erase(*c);
        }
        const Color t = tints.back();
        EXPECT_GE(std::min({redOf(t), greenOf(t), blueOf(t)}), 0xC0)
            << "pale, for the black letter";
        EXPECT_TRUE(t != clCream && t != clYellow && t != clRed) << name;
    }
    EXPECT_TRUE(keys.empty()) << "a key with no finger";
    // Neighbouring fingers differ, on either hand.
    EXPECT_EQ(std::set<Color>(tints.begin(), tints.begin() + 4).size(), 4u);
    EXPECT_EQ(std::set<Color>(tints.begin() + 4, tints.end()).size(), 4u);
}

} // namespace
} // namespace zem::test
