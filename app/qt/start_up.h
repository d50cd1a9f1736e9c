#pragma once

#include <memory>

namespace zem {

class FormWindow;
class TForm1;

// The program's start-up after the form exists: FormCreate (its failure is
// reported before any window is on screen, and start-up goes on), then the
// window at its design place with START holding the focus.
std::unique_ptr<FormWindow> openFormWindow(TForm1 &form);

} // namespace zem
