#include "game/fingers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace zem::test {
namespace {

// Touch typing's fingers, one tint each: pale under a key's black letter,
// unlike the marks, and unlike the next finger on either hand.
TEST(Fingers, EachKeyHasItsTouchTypingFingerAndTint) {
    const std::pair<std::string_view, std::string_view> fingers[] = {
        {"QAZ", "左手 小指"},        {"WSX", "左手 薬指"},        {"EDC", "左手 中指"},
        {"RTFGVB", "左手 人差し指"}, {"YUHJNM", "右手 人差し指"}, {"IK,", "右手 中指"},
        {"OL.", "右手 薬指"},        {"P;/", "右手 小指"},
    };
    std::string keys;
    std::vector<Color> tints;
    for (const auto &[captions, name] : fingers) {
        tints.push_back(fingerOf(captions.substr(0, 1))->tint);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const Finger *f = fingerOf(captions.substr(i, 1));
            ASSERT_TRUE(f) << captions[i];
            EXPECT_EQ(f->name, name) << captions[i];
            EXPECT_EQ(f->tint, tints.back()) << captions[i];
        }
        keys += captions;
        const Color t = tints.back();
        EXPECT_GE(std::min({redOf(t), greenOf(t), blueOf(t)}), 0xC0) << name;
        EXPECT_TRUE(t != clCream && t != clYellow && t != clRed) << name;
    }
    EXPECT_EQ(std::set<char>(keys.begin(), keys.end()).size(), 30u);
    EXPECT_EQ(std::set<Color>(tints.begin(), tints.begin() + 4).size(), 4u);
    EXPECT_EQ(std::set<Color>(tints.begin() + 4, tints.end()).size(), 4u);
}

} // namespace
} // namespace zem::test
