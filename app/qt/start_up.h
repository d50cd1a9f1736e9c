#pragma once

#include <memory>
#include <string>

namespace zem {

class FormWindow;
class HistoryWindow;
class HistoryWriter;
class TForm1;

// Before the application connects to the display: frames go to the X server
// through its socket, not through shared memory. A key repaints a few small
// rectangles, twice, and through shared memory Qt waits for the server's
// answer before it paints over a rectangle the server may still be reading,
// once or twice a key; a frame's few kilobytes cost less to send than that
// wait. A player's own QT_XCB_NO_MITSHM stands.
void sendFramesThroughTheSocket();

// Qt's own texts (the file dialog, the boxes' buttons, a text field's menu)
// in Japanese whatever the locale, as the game speaks nothing else; English
// where Debian's translations are not installed. Once, before any window.
void speakJapanese();

// The program's start-up after the form exists: FormCreate (its failure is
// reported before any window is on screen, and start-up goes on), then the
// window at its design place with START holding the focus. Its menu opens
// the 成績 window on `historyPath`, waiting for `writer` (may be null).
std::unique_ptr<FormWindow> openFormWindow(TForm1 &form, std::string historyPath = {},
                                           HistoryWriter *writer = nullptr);

// typing-zem --history: the 成績 window alone, on the word mode's 100-stroke course.
std::unique_ptr<HistoryWindow> openHistoryWindow(std::string historyPath);

} // namespace zem
