#pragma once

#include <QObject>
#include <QPoint>

#include <string>

class QAction;
class QMenu;
class QMenuBar;

namespace zem {

class FormWindow;
class HistoryWindow;
class HistoryWriter;
class PlayerChoices;
class TextReader;
class TForm1;

// What the game can do beyond a game: the menu bar above the window's design
// and the same items in the window's context menu, and the 成績 window they
// open. Every item asks the game; the menus only show what the game answers.
// During a game neither takes a key or a click.
class FormMenu final : public QObject {
    Q_OBJECT

public:
    FormMenu(FormWindow &window, TForm1 &form);

    QMenuBar *bar() const { return bar_; }
    // Where the 成績 window reads the history, and the writer of this game's
    // (null when there is no history path).
    void setHistory(std::string path, HistoryWriter *writer);
    // The settings and lists the menus change; null: they offer none.
    void setChoices(PlayerChoices *choices);

    // 文章で練習: reads the text at `path` and plays it from the next START,
    // from where it was left off.
    void openText(const std::string &path);

    // The context menu, at a point on the screen.
    void open(const QPoint &globalPos);
    // Follows the game: the bar is off during a game, the items show the
    // choices in force and whether a practice game can start. Called when a
    // game starts or ends, the source or the weak spots change, and as a
    // menu opens.
    void update();

private:
    void createBar();
    void addChoiceActions();
    QMenu *contextMenu();
    void offerPractice();
    void openHistory();
    void startPractice();
    void listLessons();
    void startLesson(int step);
    void openList();
    void chooseText();
    void useTable();
    void showHelp();
    void showAbout();
    QString dataFolder() const;

    FormWindow &window_;
    TForm1 &form_;
    std::string historyPath_;
    HistoryWriter *historyWriter_ = nullptr;
    PlayerChoices *choices_ = nullptr;
    QMenuBar *bar_ = nullptr;
    QMenu *gameMenu_ = nullptr, *settingsMenu_ = nullptr, *helpMenu_ = nullptr;
    QMenu *lessonsMenu_ = nullptr;
    QMenu *context_ = nullptr; // made when first opened
    HistoryWindow *historyWindow_ = nullptr;
    TextReader *textReader_ = nullptr; // made when a text is first opened
    QAction *historyAction_ = nullptr, *practiceAction_ = nullptr, *listAction_ = nullptr,
            *tableAction_ = nullptr, *textAction_ = nullptr, *spellingAction_ = nullptr,
            *quitAction_ = nullptr, *readingAction_ = nullptr, *fingersAction_ = nullptr;
};

} // namespace zem
