#pragma once

// The floor the game is measured against: a plain Qt window that shows what
// the game's window shows at the same places (its size, a menu bar of three
// menus, the Mincho fonts, the Fusion style, its 12 labels with their texts
// and colours, four sunken frames, a tray of 30 raised key labels, START, the
// mode buttons in their group, the course list and the progress bar), built
// from ordinary widgets and no game code. Shared by the start-up and the
// X-server references, so both measure the same window.

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace zem::bench {

class FloorWindow final : public QWidget {
public:
    // With `clock`, the one-second timer shows the time gone in the clock
    // label, as the game's does while a game runs; without, it ticks and
    // does nothing, as the game's does while it waits for START.
    explicit FloorWindow(bool clock);

protected:
    // What a missed key changes in the game, when the game changes it: at
    // the press one key label changes colour (the typed letter's key turns
    // red, or back to cream when it was red), at the release the miss count
    // is rewritten. Two frames a key, as the game's window shows.
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void addLabels();
    void addKeys();
    void addInputs();
    void tick();

    QWidget *client_ = nullptr; // the design, below the menu bar
    QLabel *counter_ = nullptr;
    QLabel *clock_ = nullptr;
    std::vector<QLabel *> keys_;
    std::vector<bool> red_;
    int typed_ = 0;
    bool showsClock_;
    QTimer timer_;
    QElapsedTimer started_;
};

// The font setup of the game: Mincho at a pixel size.
QFont floorFont(int px);

// Fusion, as the game's window uses.
void useFloorStyle();

} // namespace zem::bench
