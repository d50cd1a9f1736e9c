#include "app/qt/form_menu.h"

#include "app/player_choices.h"
#include "app/qt/design_look.h"
#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/qt/settings_file.h"
#include "app/qt/text_reader.h"
#include "app/t_form1.h"
#include "game/lesson_steps.h"
#include "model/failure.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace zem {

namespace {

// An information box: plain text, whole, over the game.
void showPage(QWidget *parent, const QString &title, const QString &text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setFont(designFont(14));
    box.exec();
}

QString orNotKept(const QString &path) {
    return path.isEmpty() ? QStringLiteral("（保存しません）") : path;
}

} // namespace

FormMenu::FormMenu(FormWindow &window, TForm1 &form)
    : QObject(&window), window_(window), form_(form) {
    createBar();
}

void FormMenu::createBar() {
    bar_ = new QMenuBar(&window_);
    bar_->setObjectName(QStringLiteral("MenuBar"));
    bar_->setFont(designFont(14));
    gameMenu_ = bar_->addMenu(QStringLiteral("ゲーム(&G)"));
    gameMenu_->setObjectName(QStringLiteral("GameMenu"));
    historyAction_ = gameMenu_->addAction(QStringLiteral("成績…"), this, [this] { openHistory(); });
    practiceAction_ =
        gameMenu_->addAction(QStringLiteral("苦手練習"), this, [this] { startPractice(); });
    practiceAction_->setObjectName(QStringLiteral("PracticeAction"));
    // A disabled item says why in its tooltip.
    gameMenu_->setToolTipsVisible(true);
    lessonsMenu_ = gameMenu_->addMenu(QStringLiteral("ステップ練習"));
    lessonsMenu_->setObjectName(QStringLiteral("LessonsMenu"));
    // Its steps are laid out as it opens, with the marks the history shows then.
    connect(lessonsMenu_, &QMenu::aboutToShow, this, [this] { listLessons(); });
    gameMenu_->addSeparator();
    listAction_ =
        gameMenu_->addAction(QStringLiteral("問題ファイルを開く…"), this, [this] { openList(); });
    textAction_ =
        gameMenu_->addAction(QStringLiteral("文章を開く…"), this, [this] { chooseText(); });
    tableAction_ =
        gameMenu_->addAction(QStringLiteral("組み込みの問題に戻す"), this, [this] { useTable(); });
    gameMenu_->addSeparator();
    quitAction_ = gameMenu_->addAction(QStringLiteral("終了"), this, [this] { window_.close(); });

    // Joins the bar with the player's choices.
    settingsMenu_ = new QMenu(QStringLiteral("設定(&S)"), bar_);
    settingsMenu_->setObjectName(QStringLiteral("SettingsMenu"));
    spellingAction_ = settingsMenu_->addAction(QStringLiteral("ほかの綴りも正解にする"));
    spellingAction_->setCheckable(true);
    connect(spellingAction_, &QAction::toggled, this, [this](bool any) {
        if (choices_ && !form_.inGame())
            choices_->setAnySpelling(any);
    });
    readingAction_ = settingsMenu_->addAction(QStringLiteral("よみがなを表示"));
    readingAction_->setCheckable(true);
    connect(readingAction_, &QAction::toggled, this, [this](bool on) {
        if (choices_ && !form_.inGame())
            window_.dispatch([&] { choices_->setShowReading(on); });
    });
    fingersAction_ = settingsMenu_->addAction(QStringLiteral("指の案内"));
    fingersAction_->setCheckable(true);
    connect(fingersAction_, &QAction::toggled, this, [this](bool on) {
        if (choices_ && !form_.inGame())
            window_.dispatch([&] { choices_->setFingerGuide(on); });
    });

    // A choice may have changed without the menus (the spelling hint's box).
    for (QMenu *menu : {gameMenu_, settingsMenu_})
        connect(menu, &QMenu::aboutToShow, this, [this] { update(); });

    helpMenu_ = bar_->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu_->setObjectName(QStringLiteral("HelpMenu"));
    helpMenu_->addAction(QStringLiteral("遊び方"), this, [this] { showHelp(); });
    helpMenu_->addAction(QStringLiteral("このゲームについて"), this, [this] { showAbout(); });
    update();
}

void FormMenu::setHistory(std::string path, HistoryWriter *writer) {
    historyPath_ = std::move(path);
    historyWriter_ = writer;
}

void FormMenu::setChoices(PlayerChoices *choices) {
    if (choices && !choices_)
        bar_->insertMenu(helpMenu_->menuAction(), settingsMenu_);
    else if (!choices && choices_)
        bar_->removeAction(settingsMenu_->menuAction());
    choices_ = choices;
    update();
}

QMenu *FormMenu::contextMenu() {
    if (context_)
        return context_;
    context_ = new QMenu(&window_);
    context_->setObjectName(QStringLiteral("FormMenu"));
    // A menu is a window of its own and does not inherit the game's font.
    context_->setFont(designFont(14));
    context_->setToolTipsVisible(true);
    context_->addAction(historyAction_);
    context_->addAction(practiceAction_);
    if (choices_) {
        context_->addSeparator();
        context_->addAction(spellingAction_);
        context_->addSeparator();
        context_->addAction(listAction_);
        context_->addAction(tableAction_);
    }
    return context_;
}

void FormMenu::open(const QPoint &globalPos) {
    update();
    // Not exec(): the clock goes on ticking, and the focus comes back to
    // the control that held it when the menu closes.
    contextMenu()->popup(globalPos);
}

void FormMenu::update() {
    bar_->setEnabled(!form_.inGame());
    for (QAction *choice :
         {spellingAction_, listAction_, textAction_, tableAction_, lessonsMenu_->menuAction()})
        choice->setVisible(choices_ != nullptr);
    if (choices_) {
        const QSignalBlocker quiet(spellingAction_), quietReading(readingAction_),
            quietFingers(fingersAction_);
        spellingAction_->setChecked(choices_->anySpelling());
        readingAction_->setChecked(choices_->showsReading());
        fingersAction_->setChecked(choices_->fingerGuide());
        tableAction_->setEnabled(form_.sources().list() || form_.sources().text());
    }
    offerPractice();
}

void FormMenu::offerPractice() {
    const PracticeRule::Offer offer = form_.practiceOffer();
    const QString tip = QString::fromStdString(offer.tip);
    practiceAction_->setEnabled(offer.can);
    practiceAction_->setToolTip(tip);
    if (historyWindow_)
        historyWindow_->offerPractice(offer.can, tip, QString::fromStdString(offer.why));
}

// The game it starts is the game window's: it comes to the front.
void FormMenu::startPractice() {
    window_.dispatch([this] { form_.startPractice(); });
    window_.raise();
    window_.activateWindow();
}

// One window, kept once made: opened again it reads the history anew, on
// the source and course the game shows now.
void FormMenu::openHistory() {
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(historyPath_, historyWriter_, &window_);
        historyWindow_->adjustSize();
        // Beside the game, on the side with room, within the screen.
        const QRect frame = window_.frameGeometry();
        const QRect screen = window_.screen()->availableGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (at.x() + historyWindow_->width() > screen.right())
            at.setX(std::max(screen.left(), frame.left() - 8 - historyWindow_->width()));
        at.setY(std::clamp(at.y(), screen.top(),
                           std::max(screen.top(), screen.bottom() - historyWindow_->height())));
        historyWindow_->move(at);
        connect(historyWindow_, &HistoryWindow::practiceAsked, this, [this] { startPractice(); });
        offerPractice();
    }
    historyWindow_->showFor(form_.historySource(), form_.state().CourseLength);
}

void FormMenu::openList() {
    if (!choices_ || form_.inGame())
        return;
    const QString path =
        QFileDialog::getOpenFileName(&window_, QStringLiteral("問題ファイルを開く"),
                                     QString::fromStdString(choices_->listFolder()),
                                     QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty() || form_.inGame())
        return;
    window_.dispatch([&] {
        const std::string refusal = choices_->openList(path.toStdString(), true);
        if (!refusal.empty())
            throw Failure(refusal);
    });
}

// Each step by its number and name; a passed step marked 合格, and the one
// to take next said so.
void FormMenu::listLessons() {
    const std::vector<StepProgress> &progress = form_.lessonProgress();
    const int next = nextLesson(progress);
    lessonsMenu_->clear();
    for (const LessonStep &step : lessonSteps()) {
        QString name = QStringLiteral("ステップ%1 %2")
                           .arg(step.number)
                           .arg(QString::fromUtf8(step.name.data(), qsizetype(step.name.size())));
        const auto at = std::size_t(step.number - 1);
        if (at < progress.size() && progress[at].passed)
            name += QStringLiteral("　✓合格");
        else if (step.number == next)
            name += QStringLiteral("　← 次はここ");
        lessonsMenu_->addAction(name, this, [this, n = step.number] { startLesson(n); });
    }
}

void FormMenu::chooseText() {
    if (!choices_ || form_.inGame())
        return;
    const QString path = QFileDialog::getOpenFileName(
        &window_, QStringLiteral("文章を開く"), QString::fromStdString(choices_->textFolder()),
        QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (!path.isEmpty() && !form_.inGame())
        openText(path.toStdString());
}

void FormMenu::openText(const std::string &path) {
    if (!choices_)
        return;
    if (!textReader_)
        textReader_ = new TextReader(window_);
    const TextBookmark mark = choices_->bookmarkOf(path);
    textReader_->open(mark.path, mark);
}

void FormMenu::startLesson(int step) {
    if (!choices_ || form_.inGame())
        return;
    window_.dispatch([&] {
        const std::string why = choices_->startLesson(step);
        if (!why.empty())
            throw Failure(why);
    });
}

void FormMenu::useTable() {
    if (!choices_ || form_.inGame())
        return;
    window_.dispatch([this] { choices_->useTable(); });
}

// hiscore.dat is read from the folder the game runs in; the launcher makes
// that the player's data folder, where the history is kept too.
QString FormMenu::dataFolder() const {
    return QDir::currentPath();
}

void FormMenu::showHelp() {
    showPage(&window_, QStringLiteral("遊び方"),
             QStringLiteral("STARTを押す（スペースかEnterでも）と始まります。吹き出しの言葉の"
                            "ローマ字を打ってください。黄色のキーが次に打つキー、赤いキーは"
                            "打ち間違えたキーです。Escでゲームをやめます。大文字でも小文字でも"
                            "かまいません。\n\n"
                            "コース: 右下の欄で100打から2000打まで選べます。決めた数だけ正しく"
                            "打つと終わり、1分あたりの打数（打/分）が出ます。単語とことわざの"
                            "それぞれで、コースごとの最高記録が残ります。\n\n"
                            "設定: 「ほかの綴りも正解にする」でSHIやTSUなど日本語入力の綴りも"
                            "正解になります。「問題ファイルを開く…」で自分の問題で遊べます"
                            "（記録には残りません）。「苦手練習」は成績から苦手な仮名を多めに"
                            "出します。\n\n"
                            "記録: ") +
                 QDir(dataFolder()).filePath(QStringLiteral("hiscore.dat")) +
                 QStringLiteral("\n成績: ") + orNotKept(QString::fromStdString(historyPath_)) +
                 QStringLiteral("\n設定: ") + orNotKept(settingsPath()));
}

void FormMenu::showAbout() {
    showPage(&window_, QStringLiteral("このゲームについて"),
             QStringLiteral("タイピングZem " ZEM_VERSION "\n"
                            "ローマ字入力の練習ゲーム\n\n"
                            "MIT License\n\n"
                            "データのフォルダ: ") +
                 dataFolder());
}

} // namespace zem
