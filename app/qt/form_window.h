#pragma once

#include "app/form_events.h"
#include "model/control.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace zem {

class ControlView;
class FormMenu;
class HistoryWriter;
class PlayerChoices;
class SpellingHintBox;
class TForm1;
class WeakSpotWatch;

// The game window: one widget per control of the model, kept up to date
// after every event it dispatches to a handler of TForm1. It owns no game
// rule; it turns Qt's events into handler calls, shows the model, and
// follows what the game tells it.
class FormWindow final : public QWidget, private FormEvents {
    Q_OBJECT

public:
    explicit FormWindow(TForm1 &form, QWidget *parent = nullptr);
    ~FormWindow() override;

    TForm1 &form() { return form_; }

    // Runs one handler as the event loop does: a Failure it throws is shown
    // in the error box after the widgets have caught up with what the handler
    // did before failing.
    void dispatch(const std::function<void()> &handler);
    // Brings the widgets of the changed controls, the title and the focus up
    // to date.
    void sync();
    // The error box over this window, the focus back where the model has it.
    void showFailure(const std::string &message);

    // A panel nested in another panel has no widget of its own: this gives
    // the widget that paints it.
    QWidget *widgetOf(ControlId id) const;
    // The design's client area below the menu bar, which holds every control.
    QWidget *clientArea() const;
    // The control a widget shows (a panel's widget: the outermost panel), or
    // kWindow.
    ControlId controlOf(const QWidget *widget) const;

    // Where the weak spots and the 成績 window read the history, and the
    // writer of this game's (null when there is no history path).
    void setHistory(std::string path, HistoryWriter *writer);
    // The settings and lists the menu changes; null: the menu offers none.
    void setChoices(PlayerChoices *choices);
    // 文章で練習: the text at `path`, from where it was left off, once read.
    void openText(const std::string &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void gameEnded(const HistorySource &source, bool completed) override;
    void sourceChanged(const HistorySource &source) override;
    void createViews();
    void orderTabStops();
    void connectInputs();
    void focusChanged(QWidget *now);
    void applyFocus();
    void settleFocus();
    bool takesKeys();
    bool opensMenu(const QKeyEvent &event) const;
    void readWeakSpots();

    TForm1 &form_;
    std::vector<ControlView *> views_; // by ControlId; owned by Qt, nested panels by their panel
    QTimer timer_{this};
    QMetaObject::Connection focusConnection_;
    bool syncing_ = false;
    FormMenu *menu_ = nullptr;
    QWidget *client_ = nullptr;
    WeakSpotWatch *watch_ = nullptr;
    SpellingHintBox *hintBox_ = nullptr;
};

} // namespace zem
