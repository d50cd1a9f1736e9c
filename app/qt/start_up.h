#pragma once

#include <memory>
#include <string>

namespace zem {

class FormWindow;
class HistoryWindow;
class HistoryWriter;
class TForm1;

// The program's start-up after the form exists: FormCreate (its failure is
// reported before any window is on screen, and start-up goes on), then the
// window at its design place with START holding the focus. Its menu opens
// the 成績 window on `historyPath`, waiting for `writer` (may be null).
std::unique_ptr<FormWindow> openFormWindow(TForm1 &form, std::string historyPath = {},
                                           HistoryWriter *writer = nullptr);

// typing-zem --history: the 成績 window alone, on the word mode's 100-stroke course.
std::unique_ptr<HistoryWindow> openHistoryWindow(std::string historyPath);

} // namespace zem
