#pragma once

#include <QObject>
#include <QPoint>

#include <string>

class QAction;
class QMenu;

namespace zem {

class FormWindow;
class HistoryWindow;
class HistoryWriter;
class PlayerChoices;
class TForm1;

// The game window's menu, made when first opened so that start-up pays
// nothing for it, and the 成績 window it opens. Every item asks the game;
// the menu only shows what the game answers.
class FormMenu final : public QObject {
    Q_OBJECT

public:
    FormMenu(FormWindow &window, TForm1 &form);

    // Where the 成績 window reads the history, and the writer of this game's
    // (null when there is no history path).
    void setHistory(std::string path, HistoryWriter *writer);
    // The settings and lists the menu changes; null: the menu offers none.
    void setChoices(PlayerChoices *choices);

    void open(const QPoint &globalPos);
    // The practice item and the 成績 window's button, as the game offers a
    // practice game now.
    void offerPractice();

private:
    void create();
    void addChoiceActions();
    void updateChoiceActions();
    void openHistory();
    void startPractice();
    void openList();
    void useTable();

    FormWindow &window_;
    TForm1 &form_;
    std::string historyPath_;
    HistoryWriter *historyWriter_ = nullptr;
    PlayerChoices *choices_ = nullptr;
    QMenu *menu_ = nullptr;
    HistoryWindow *historyWindow_ = nullptr;
    QAction *spellingAction_ = nullptr;
    QAction *tableAction_ = nullptr;
    QAction *practiceAction_ = nullptr;
};

} // namespace zem
