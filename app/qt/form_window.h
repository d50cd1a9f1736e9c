#pragma once

#include "model/control.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zem {

class ControlView;
class HistoryWindow;
class HistoryWriter;
class PlayerChoices;
class PracticePhrases;
class TForm1;
class WeakSpotWatch;
struct HistorySource;

// The game window: one widget per control of the model, kept up to date
// after every event it dispatches to a handler of TForm1. It owns no game
// rule; it only turns Qt's events into handler calls and shows the model.
class FormWindow final : public QWidget {
    Q_OBJECT

public:
    explicit FormWindow(TForm1 &form, QWidget *parent = nullptr);
    ~FormWindow() override;

    TForm1 &form() { return form_; }

    // Runs one handler as the event loop does: a Failure it throws is shown
    // in the error box after the widgets have caught up with what the handler
    // did before failing.
    void dispatch(const std::function<void()> &handler);
    // Brings the widgets of the changed controls, and the focus, up to date.
    void sync();

    // A panel nested in another panel has no widget of its own: this gives
    // the widget that paints it.
    QWidget *widgetOf(ControlId id) const;

    // Where the 成績 window reads the history, and the writer of this game's
    // (null when there is no history path).
    void setHistory(std::string path, HistoryWriter *writer);
    // The settings and lists the menu changes; null: the menu offers none.
    void setChoices(PlayerChoices *choices);

    // 苦手練習: one practice game of the current source now, when the history
    // shows weak kana and no game runs.
    void startPractice();
    // typing-zem --practice: that, as soon as the weak spots are read; where
    // there are none, the error box says why, once.
    void practiceOnceRead();
    // Whether a practice game can start, and why not (empty when it can).
    bool canPractise() const;
    QString whyNoPractice() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createViews();
    void orderTabStops();
    void connectInputs();
    void focusChanged(QWidget *now);
    void applyFocus();
    void settleFocus();
    bool takesKeys();
    ControlId controlOf(QWidget *widget) const;
    void showFailure(const std::string &message);
    bool opensMenu(const QKeyEvent &event) const;
    void openMenu(const QPoint &globalPos);
    void openHistory();
    void addChoiceActions();
    void updateChoiceActions();
    void openList();
    void useTable();
    void toggleSpelling(bool any);
    void showChoices();
    QString normalTitle() const;
    HistorySource currentSource() const;
    void afterHandler(bool wasInGame);
    void readWeakSpots();
    void weakSpotsRead();
    void offerPractice();

    TForm1 &form_;
    std::vector<ControlView *> views_; // by ControlId; owned by Qt, nested panels by their panel
    QTimer timer_{this};
    QMetaObject::Connection focusConnection_;
    bool syncing_ = false;
    std::string historyPath_;
    HistoryWriter *historyWriter_ = nullptr;
    // Made when first asked for, so the game's start-up pays for neither.
    QMenu *menu_ = nullptr;
    HistoryWindow *historyWindow_ = nullptr;
    PlayerChoices *choices_ = nullptr;
    QAction *spellingAction_ = nullptr;
    QAction *tableAction_ = nullptr;
    QAction *practiceAction_ = nullptr;
    WeakSpotWatch *watch_ = nullptr;
    std::unique_ptr<PracticePhrases> practice_; // the source of the last practice game
    bool practiceWanted_ = false;
};

} // namespace zem
