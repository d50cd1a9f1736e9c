// The 成績 window over a history made for it, and the game window's menu
// that opens it.
#include "app/qt/design_look.h"
#include "app/qt/history_export.h"
#include "app/qt/history_texts.h"
#include "app/qt/history_window.h"
#include "app/qt/key_heat_map.h"
#include "app/qt/speed_chart.h"
#include "core/temp_dir.h"
#include "game_window.h"
#include "history/csv_export.h"
#include "history/history_store.h"
#include "model/speed_text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <set>
#include <unistd.h>

namespace zem::test {

namespace {

// Tokyo, 2026-12-01 00:00.
constexpr std::int64_t kFirstMidnight = 1'796'050'800;
constexpr int kDays = 12, kGamesPerDay = 3;

struct Made {
    std::string latest, best; // as the game writes speeds
};

// Three word games a day at 100 strokes, getting faster with ups and downs,
// a few stopped ones, and one proverb game the word view must leave out.
Made makeHistory(const std::string &path) {
    HistoryStore store(path, HistoryStore::Role::Writer, HistoryStore::Durability::Relaxed);
    Made made;
    double best = 0;
    for (int i = 0; i < kDays * kGamesPerDay; ++i) {
        GameRecord g;
        const int day = i / kGamesPerDay;
        g.finishedAt = {kFirstMidnight + day * 86400 + 19 * 3600 + (i % kGamesPerDay) * 900,
                        9 * 3600};
        g.course = 100;
        g.strokes = 100;
        g.misses = 3 + i % 5;
        const double speed = 150 + i * 4.5 + double((i * 37) % 23 - 11) * 2.5;
        g.seconds = int(100 * 60 / speed);
        g.completed = i % 11 != 10;
        if (g.completed) {
            g.speed = SpeedText(speed);
            g.newRecord = speed > best;
            best = std::max(best, speed);
            made.latest = g.speed;
        }
        g.keys = {{'A', 30, 0},     {'I', 24, 1},
                  {'K', 12, 0},     {'N', 14, i % 3 == 0 ? 1 : 0},
                  {'O', 20, 0},     {'S', 10, i % 4 == 0 ? 1 : 0},
                  {'T', 11, i % 2}, {'U', 22, i % 3 == 0 ? 2 : 1},
                  {'Y', 6, 0}};
        if (i == 0)
            g.keys.insert(g.keys.begin() + 5, {'Q', 31, 1}); // 1 miss in 32 strokes, once
        g.confusions = {{'I', 'o', 1}, {'T', ' ', i % 2}, {'U', 'y', 1}};
        if (i % 6 == 0)
            g.confusions.push_back({'N', 0x82, 1});
        g.syllables = {{"si", i % 4 == 0 ? 1 : 0}, {"tu", i % 2}, {"nn", i % 3 == 0 ? 1 : 0}};
        std::string why;
        if (!store.add(g, &why))
            qFatal("the history could not be made: %s", why.c_str());
    }
    made.best = SpeedText(best);
    GameRecord proverb;
    proverb.finishedAt = {kFirstMidnight, 9 * 3600};
    proverb.mode = GameMode::Proverb;
    proverb.strokes = 100;
    proverb.seconds = 10;
    proverb.speed = "600";
    proverb.completed = true;
    proverb.keys = {{'Q', 0, 9}};
    store.add(proverb);
    return made;
}

QStringList namesOfKeys(KeyHeatMap *map) {
    QStringList names;
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(map);
    for (int i = 0; i < reader->childCount(); ++i)
        names << reader->child(i)->text(QAccessible::Name);
    return names;
}

QMenu *openMenu() {
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheHistoryOfTheChosenModeAndCourseToEyesAndReaders() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        const Made made = makeHistory(path);
        useDesignStyle();
        HistoryWindow window(path, nullptr);
        window.showFor(GameMode::Word, 100);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!window.busy());

        QDir().mkpath(QStringLiteral(ZEM_SCREENSHOT_DIR));
        QApplication::processEvents();
        window.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window.png"));
        // The chart and the keys paint themselves at any density: at 2x
        // every line and letter is drawn again, not a picture blown up.
        QImage dense(window.size() * 2, QImage::Format_ARGB32_Premultiplied);
        dense.setDevicePixelRatio(2);
        window.render(&dense);
        dense.save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window@2x.png"));

        auto *map = window.findChild<KeyHeatMap *>();
        const QStringList keys = namesOfKeys(map);
        QCOMPARE(keys.size(), 30);
        QCOMPARE(keys.front(), QStringLiteral("Q 3.1%"));
        QVERIFY2(keys.contains(QStringLiteral("; 記録なし")), qPrintable(keys.join(", ")));
        QVERIFY2(keys.contains(QStringLiteral("A 0.0%")), qPrintable(keys.join(", ")));

        const QString said = QAccessible::queryAccessibleInterface(window.findChild<SpeedChart *>())
                                 ->text(QAccessible::Description);
        QVERIFY2(said.contains(QStringLiteral("最新は%1打/分").arg(made.latest.c_str())),
                 qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("最高は%1打/分").arg(made.best.c_str())),
                 qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("上向き")), qPrintable(said));
        // Games kept before kana were counted name their romaji syllables.
        const QString spots = window.findChild<QLabel *>("HistorySyllables")->accessibleName();
        QVERIFY2(spots.contains(QStringLiteral("tu 18回、nn 12回、si 9回")), qPrintable(spots));

        // The other mode is another history: one game, its own keys.
        QTest::keyClick(window.findChild<QComboBox *>("HistorySource"), Qt::Key_Down);
        QTRY_VERIFY(!window.busy());
        QCOMPARE(window.findChild<SpeedChart *>()->points().size(), std::size_t(1));
        QCOMPARE(namesOfKeys(map).front(), QStringLiteral("Q 100.0%"));
    }

    void namesTheKeysTypedInsteadOfTheLetter() {
        const std::pair<unsigned char, const char *> named[] = {
            {0x08, "BS"},     {0x09, "Tab"},    {0x0d, "Enter"},  {0x1b, "Esc"},  {' ', "Space"},
            {0x16, "Ctrl+V"}, {0x01, "Ctrl+A"}, {0x1a, "Ctrl+Z"}, {0x1c, "0x1c"}, {'q', "Q"},
            {';', ";"},       {0x7f, "0x7f"},   {0x82, "0x82"}};
        for (const auto &[typed, name] : named)
            QCOMPARE(typedByteText(typed), QString::fromLatin1(name));
    }

    // Games of one evening, or of a few minutes, are spread over the plot
    // as games of many days are, never squeezed into one day's sliver.
    void theSpeedChartSpreadsTheGamesOverThePlot_data() {
        QTest::addColumn<int>("first"); // seconds after the first midnight
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("games");
        QTest::newRow("an evening") << 19 * 3600 << 600 << 8;
        QTest::newRow("across midnight") << 23 * 3600 + 600 << 900 << 6;
        QTest::newRow("twelve days") << 19 * 3600 << 86400 << 12;
        QTest::newRow("one game") << 19 * 3600 + 1234 << 0 << 1;
    }
    void theSpeedChartSpreadsTheGamesOverThePlot() {
        QFETCH(int, first);
        QFETCH(int, gap);
        QFETCH(int, games);
        std::vector<SpeedPoint> points;
        for (int i = 0; i < games; ++i) {
            const double speed = 200.0 + 10 * i;
            points.push_back({{kFirstMidnight + first + i * gap, 9 * 3600}, speed, speed, i > 0});
        }
        SpeedChart chart;
        chart.resize(chart.sizeHint());
        chart.setPoints(points);
        chart.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/speed_chart_%1.png")
                              .arg(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_')));
        const QRectF plot = chart.plotRect();
        for (int i = 0; i < games; ++i)
            QVERIFY2(plot.contains(chart.positionOf(std::size_t(i))),
                     qPrintable(QString::number(i)));
        const double spread =
            chart.positionOf(std::size_t(games - 1)).x() - chart.positionOf(0).x();
        QVERIFY2(games == 1 || spread >= 0.6 * plot.width(), qPrintable(QString::number(spread)));
    }

    void saysPlainlyWhatWentWrongWithTheHistory() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        const std::string damaged(4096, 'x'); // no database at all
        writeFile(path, damaged);
        HistoryWindow window(path, nullptr);
        window.showFor(GameMode::Word, 100);
        QTRY_VERIFY(!window.busy());
        auto *said = window.findChild<QLabel *>("HistoryTrouble");
        QVERIFY(said->isVisible());
        QVERIFY2(said->text().contains(QStringLiteral("壊れています")), qPrintable(said->text()));
        window.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_damaged.png"));
        // Only the writer repairs: the window leaves the file as it found it.
        QCOMPARE(readFile(path), damaged);
        QCOMPARE(dir.names(), (std::set<std::string>{"history.sqlite3"}));
        HistoryState setAside;
        setAside.kind = HistoryState::Kind::Ready;
        setAside.setAside = path + ".damaged-1";
        setAside.carried = 7;
        const QString told = historyTrouble(setAside, nullptr);
        QVERIFY2(told.contains(QStringLiteral("history.sqlite3.damaged-1 として残し")) &&
                     told.contains(QStringLiteral("7回分")),
                 qPrintable(told));

        // The writer's reasons, in the window's words; games wait in memory,
        // or on the disk when the spool took them.
        HistoryState ready;
        ready.kind = HistoryState::Kind::Ready;
        const std::pair<std::string, const char *> reasons[] = {
            {"attempt to write a readonly database", "読み取り専用"},
            {"database or disk is full", "ディスクがいっぱい"},
            {"database is locked", "ロック"},
            {"damaged, and open in another program", "まだ直せません"},
        };
        for (const auto &[why, words] : reasons) {
            for (const int inMemory : {2, 0}) {
                const HistoryWriter::Report report{ready, 2, inMemory, why};
                const QString text = historyTrouble(ready, &report);
                QVERIFY2(text.contains(QString::fromUtf8(words)) &&
                             text.contains(QStringLiteral("2回分のゲーム")) &&
                             text.contains(inMemory ? QStringLiteral("メモリー")
                                                    : QStringLiteral("ディスクに控えて")),
                         qPrintable(text));
            }
        }
        HistoryState newer = ready;
        newer.kind = HistoryState::Kind::Newer;
        QVERIFY(historyTrouble(newer, nullptr).contains(QStringLiteral("新しい版")));
        QVERIFY(historyTrouble(ready, nullptr).isEmpty());
    }

    // The chosen file keeps what it held until the whole history was read
    // and written beside it; nothing is left behind either way.
    void exportsTheCsvOnlyWhenTheWholeHistoryWasRead() {
        TempDir dir;
        const std::string history = dir / "history.sqlite3", target = dir / "out.csv";
        writeFile(target, "kept\n");
        writeFile(history, std::string(4096, 'x'));
        QVERIFY(!exportHistoryCsv(history, target).empty());
        QCOMPARE(readFile(target), std::string("kept\n"));
        QCOMPARE(dir.names(), (std::set<std::string>{"history.sqlite3", "out.csv"}));

        ::unlink(history.c_str());
        makeHistory(history);
        QCOMPARE(exportHistoryCsv(history, target), std::string());
        const std::string csv = readFile(target);
        QVERIFY(csv.starts_with(kHistoryCsvHeader));
        QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 1 + kDays * kGamesPerDay + 1);
        for (const std::string &name : dir.names())
            QVERIFY2(!name.starts_with(".out.csv"), name.c_str());
    }

    // What the history holds of the lesson steps, as a new run finds it: the
    // steps menu marks the passed step and names the next, and 成績 lists
    // every step with its best, one game passing only by both marks.
    void theStepsPassedShowAfterARestart() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        {
            HistoryStore store(path, HistoryStore::Role::Writer, HistoryStore::Durability::Relaxed);
            for (const auto &[step, misses, speed] :
                 {std::tuple{1, 3, "100"}, {2, 11, "200"}}) { // 97% passes; 90% does not
                GameRecord g;
                g.finishedAt = {kFirstMidnight, 9 * 3600};
                g.course = 100;
                g.strokes = 100;
                g.misses = misses;
                g.seconds = 60;
                g.speed = speed;
                g.completed = true;
                g.list = lessonList(step);
                QVERIFY(store.add(g));
            }
        }
        GameWindow g;
        g.window->setHistory(path, nullptr);
        QTRY_VERIFY(g.form->lessonProgress()[0].passed);
        auto *steps = g.find<QMenu>("LessonsMenu");
        emit steps->aboutToShow();
        QCOMPARE(steps->actions()[0]->text(), QStringLiteral("ステップ1 ホームポジション　✓合格"));
        QCOMPARE(steps->actions()[1]->text(), QStringLiteral("ステップ2 あ行　← 次はここ"));

        HistoryWindow window(path, nullptr);
        window.showFor(GameMode::Word, 100);
        QTRY_VERIFY(!window.busy());
        QApplication::processEvents();
        window.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_lessons.png"));
        const QString lessons = window.findChild<QLabel *>("HistoryLessons")->accessibleName();
        QVERIFY2(lessons.contains(QStringLiteral("1 ホームポジション 97% 100打/分 合格、")),
                 qPrintable(lessons));
        QVERIFY2(lessons.contains(QStringLiteral("2 あ行 90% 200打/分、3 か行 — —、")),
                 qPrintable(lessons));
    }

    void theGameWindowsMenuOffersTheHistoryBetweenGamesOnly() {
        GameWindow g;
        TempDir dir;
        g.window->setHistory(dir / "history.sqlite3", nullptr); // none yet
        QTRY_VERIFY(QString::fromStdString(g.form->practiceOffer().why)
                        .contains(QStringLiteral("300打以上")));
        // ことわざ at 300 strokes, which the 成績 window must open on.
        g.click("RadioButton1");
        g.window->dispatch([&] {
            g.form->model().setItemIndex(g.form->ComboBox1, 2);
            g.form->ComboBox1Change();
        });
        g.find("Button1")->setFocus();
        const QPoint onKeys = g.find("Panel12")->geometry().center();
        using Open = std::function<void()>;
        const std::pair<const char *, Open> ways[] = {
            {"right click",
             [&] {
                 QTest::mouseClick(g.window->windowHandle(), Qt::RightButton, Qt::NoModifier,
                                   onKeys);
             }},
            {"Menu key", [&] { g.key(Qt::Key_Menu); }},
            {"Shift+F10", [&] { g.key(Qt::Key_F10, Qt::ShiftModifier); }},
        };
        for (const auto &[how, open] : ways) {
            open();
            QMenu *menu = openMenu();
            QVERIFY2(menu, how);
            QCOMPARE(menu->actions().size(), 2);
            QCOMPARE(menu->actions().front()->text(), QStringLiteral("成績…"));
            // Nothing to practise in an empty history, and the item says why.
            const QAction *practice = menu->actions().back();
            QCOMPARE(practice->text(), QStringLiteral("苦手練習"));
            QVERIFY2(!practice->isEnabled() &&
                         practice->toolTip() == QString::fromStdString(g.form->practiceOffer().why),
                     qPrintable(practice->toolTip()));
            QTest::keyClick(menu, Qt::Key_Escape);
            QVERIFY2(!openMenu(), how);
            QVERIFY2(g.focused("Button1"), how);
        }

        auto choose = [&] {
            QTest::keyClick(openMenu(), Qt::Key_Down);
            QTest::keyClick(openMenu(), Qt::Key_Return);
        };
        g.key(Qt::Key_Menu);
        choose();
        auto *history = g.window->findChild<HistoryWindow *>();
        QVERIFY(history && history->isVisible() && history->isWindow());
        QCOMPARE(history->mode(), GameMode::Proverb);
        QCOMPARE(history->course(), 300);
        QTRY_VERIFY(!history->busy());
        auto *practise = history->findChild<QPushButton *>("HistoryPractice");
        QVERIFY(practise->isVisible() && !practise->isEnabled());
        QCOMPARE(history->findChild<QLabel *>("HistoryPracticeStatus")->text(),
                 QString::fromStdString(g.form->practiceOffer().why));
        history->grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_thin.png"));
        QVERIFY(g.focused("Button1")); // the game's, for when it is active again
        QCOMPARE(g.form->model().focus(), g.form->Button1);
        history->close();
        g.key(Qt::Key_Menu);
        choose();
        QCOMPARE(g.window->findChildren<HistoryWindow *>(), QList<HistoryWindow *>{history});
        QVERIFY(history->isVisible());
        history->close();

        // In a game the same inputs open nothing, and the keys reach the game
        // as before: none is a miss. (Offscreen, a window is activated
        // through the event queue.)
        g.window->activateWindow();
        QApplication::processEvents();
        g.start();
        QVERIFY(g.form->inGame());
        for (const auto &[how, open] : ways) {
            open();
            QVERIFY2(!openMenu(), how);
        }
        QCOMPARE(g.state().MissCount, 0);
        QVERIFY(g.form->inGame());
        QVERIFY(g.windowFocused());
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::HistoryWindowTest)
#include "history_window_test.moc"
