#pragma once

#include "app/qt/form_window.h"
#include "app/qt/start_up.h"
#include "core/fakes.h"

#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zem::test {

// Closes every modal box as soon as it is open and remembers what it showed,
// so a box no test expected fails the test instead of waiting for a click.
// Never holds on to a box.
class BoxCloser {
public:
    BoxCloser();
    QStringList texts;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // Runs while a box is open, just before it is closed; it may answer it.
    std::function<void()> whileOpen;

private:
    void poll();
    QTimer timer_;
};

// The real window, opened the way the program opens it, over a fake clock, a
// fixed generator and records in memory. Input goes through the window's
// event path, so focus routing is part of every test.
class GameWindow {
public:
    explicit GameWindow(std::optional<std::string> records = freshRecords());
    // Over another record file, a real one on disk for instance; `file` is
    // then unused.
    explicit GameWindow(RecordFile &records);

    BoxCloser boxes; // first: start-up may show a box already
    FakeClock clock;
    FixedRandom random;
    MemoryRecordFile file;
    RecordingHistory history;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<FormWindow> window;

    template <class T = QWidget> T *find(const char *name) const {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget named %s", name);
        return w;
    }
    QString text(const char *label) const;
    GameState &state() { return form->state(); }
    bool focused(const char *name) const { return window->focusWidget() == find(name); }
    bool windowFocused() const { return window->focusWidget() == window.get(); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(char c, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void typeText(int qtKey, const QString &text);
    // The next letter of the target, the way the player types it.
    void typeNext();
    void click(const char *name);
    void start() { key(Qt::Key_Space); }
    // One tick of the clock, delivered as the window's timer delivers it.
    void tick(int seconds = 1);

    // What the window shows now, as painted bit by bit after each event
    // (pending updates flushed first), not a fresh rendering of every widget.
    QImage onScreen() const;
    // A fresh rendering of the whole window.
    QImage grab() const;
    void screenshot(const char *name) const;

private:
    void open(RecordFile &records);
};

} // namespace zem::test
