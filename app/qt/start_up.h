#pragma once

#include <memory>
#include <string>

namespace zem {

class FormWindow;
class HistoryWindow;
class TForm1;

// The program's start-up after the form exists: FormCreate (its failure is
// reported before any window is on screen, and start-up goes on), then the
// window at its design place with START holding the focus.
std::unique_ptr<FormWindow> openFormWindow(TForm1 &form);

// typing-zem --history: the 成績 window alone, on the word mode's 100-stroke course.
std::unique_ptr<HistoryWindow> openHistoryWindow(std::string historyPath);

} // namespace zem
