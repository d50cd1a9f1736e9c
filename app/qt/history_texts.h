#pragma once

#include "history/history_store.h"
#include "history/history_writer.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace zem {

// The words of the 成績 window, apart from its widgets so that each reads as
// one rule.

// A miss rate on a key: "3.1%"; "—" for a key never expected.
QString missRateText(const KeyRate &rate);
// A byte typed instead of the expected letter: letters upper-case, other
// printable ASCII as itself, control keys by name ("BS", "Tab", "Enter",
// "Esc", "Space", "Ctrl+V"), anything else as "0x82".
QString typedByteText(unsigned char typed);
// "1時間5分" from an hour on, "3分20秒" below.
QString practiceTimeText(std::int64_t seconds);
// A speed as the game shows it, with its unit: "312.5打/分".
QString speedText(double speed);
// What the speed chart says to a screen reader: the latest speed, the best and
// the trend, in words.
QString speedSummary(const std::vector<SpeedPoint> &points);

// What went wrong with the history, plainly, or nothing when all is well.
// `report` is the game's writer's, when the game runs in this process.
QString historyTrouble(const HistoryState &store, const HistoryWriter::Report *report);

} // namespace zem
