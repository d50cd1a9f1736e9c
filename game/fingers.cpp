#include "game/fingers.h"

namespace zem {

namespace {

// Pale enough that a key's black letter reads on it and the yellow of the
// next key and the red of a miss stand out; one hue per finger, the same on
// both hands, so that neighbouring fingers always differ.
constexpr Color kLittle = 0x00F6DAEE; // lilac
constexpr Color kRing = 0x00FCE4D4;   // blue
constexpr Color kMiddle = 0x00C6E2FC; // peach
constexpr Color kIndex = 0x00CEF2D6;  // green

constexpr Finger kFingers[] = {
    {"QAZ", "左手 小指", kLittle},       {"WSX", "左手 薬指", kRing},
    {"EDC", "左手 中指", kMiddle},       {"RTFGVB", "左手 人差し指", kIndex},
    {"YUHJNM", "右手 人差し指", kIndex}, {"IK,", "右手 中指", kMiddle},
    {"OL.", "右手 薬指", kRing},         {"P;/", "右手 小指", kLittle},
};

} // namespace

const Finger *fingerOf(std::string_view caption) {
    if (caption.size() != 1)
        return nullptr;
    for (const Finger &f : kFingers)
        if (f.keys.find(caption.front()) != std::string_view::npos)
            return &f;
    return nullptr;
}

} // namespace zem
