#include "game_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>

namespace zem::test {

GameWindow::GameWindow(std::optional<std::string> records) {
    file.content = std::move(records);
    open(file);
}

GameWindow::GameWindow(RecordFile &records) {
    open(records);
}

void GameWindow::open(RecordFile &records) {
    form = std::make_unique<TForm1>(clock, random, records, history);
    window = openFormWindow(*form);
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the window never showed");
}

QString GameWindow::text(const char *label) const {
    return find<QLabel>(label)->text();
}

void GameWindow::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void GameWindow::type(char c, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->windowHandle(), c, modifiers);
}

void GameWindow::typeText(int qtKey, const QString &text) {
    QTest::simulateEvent(window->windowHandle(), true, qtKey, Qt::NoModifier, text, false);
    QTest::simulateEvent(window->windowHandle(), false, qtKey, Qt::NoModifier, text, false);
}

void GameWindow::typeNext() {
    if (state().TargetRomaji.empty())
        qFatal("nothing left to type");
    type(state().TargetRomaji.front());
}

void GameWindow::click(const char *name) {
    QWidget *w = find(name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      w->mapTo(window.get(), w->rect().center()));
}

void GameWindow::tick(int seconds) {
    clock.advanceSeconds(seconds);
    window->dispatch([this] { form->Timer1Timer(); });
}

// The design's client area, below the menu bar: what the design draws.
QImage GameWindow::onScreen() const {
    QApplication::processEvents();
    const QRect client = window->clientArea()->geometry();
    return window->screen()
        ->grabWindow(window->winId(), client.x(), client.y(), client.width(), client.height())
        .toImage();
}

QImage GameWindow::grab() const {
    return window->clientArea()->grab().toImage();
}

void GameWindow::screenshot(const char *name) const {
    QDir().mkpath(QStringLiteral(ZEM_SCREENSHOT_DIR));
    // The offscreen screen's grab covers only the logical size in device
    // pixels; at a higher density the window renders itself whole.
    const QImage image = window->devicePixelRatio() > 1 ? grab() : onScreen();
    image.save(QStringLiteral(ZEM_SCREENSHOT_DIR "/") + QString::fromLatin1(name) + ".png");
}

BoxCloser::BoxCloser() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

void BoxCloser::poll() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    texts << box->text();
    title = box->windowTitle();
    icon = box->icon();
    if (whileOpen)
        whileOpen();
    // A box with buttons of its own is closed as Escape closes it, unless
    // whileOpen has answered it already.
    if (!box->isVisible())
        return;
    QAbstractButton *ok = box->button(QMessageBox::Ok);
    (ok ? ok : box->escapeButton())->click();
}

} // namespace zem::test
