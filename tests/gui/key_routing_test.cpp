// Which keys reach the game, and where the focus goes, as the player meets it.
#include "game_window.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace zem::test {

class KeyRouting : public QObject {
    Q_OBJECT

private slots:
    void startHoldsTheFocusOnTheIdleScreen() {
        GameWindow g;
        QVERIFY(g.focused("Button1"));
        QCOMPARE(g.window->objectName(), QStringLiteral("Form1"));
        QCOMPARE(g.window->windowTitle(), QStringLiteral("タイピングZemVer3.0"));
        QCOMPARE(g.text("Label1"), QStringLiteral("タイピングZem"));
        for (const char *shown : {"Label9", "Button1", "ComboBox1", "groupbox1"})
            QVERIFY2(g.find(shown)->isVisible(), shown);
        for (const char *hidden : {"Label2", "Shape1", "Shape4", "Panel32"})
            QVERIFY2(!g.find(hidden)->isVisible(), hidden);
        g.screenshot("idle");
    }

    void lettersBeforeStartReachNoHandler() {
        GameWindow g;
        g.type('q');
        g.type('a');
        g.key(Qt::Key_Escape);
        g.key(Qt::Key_Backspace);
        QCOMPARE(g.state().MissCount, 0);
        QCOMPARE(g.form->model().color(g.form->model().id("Panel1")), clCream);
        QVERIFY(g.focused("Button1"));
        QVERIFY(g.find("Label9")->isVisible()); // no game started
    }

    // A widget that gives the focus up leaves none: a key then settles it
    // as an activation would, on START while idle, so it never reaches the
    // game before START.
    void aKeyWithNoFocusAnywhereGoesWhereActivationPutsTheFocus() {
        GameWindow g;
        g.click("ComboBox1"); // the list opens and takes the focus
        g.key(Qt::Key_Escape);
        g.find("ComboBox1")->clearFocus();
        QCOMPARE(g.window->focusWidget(), nullptr);
        g.type('q');
        g.type('a');
        QCOMPARE(g.state().MissCount, 0);
        QCOMPARE(g.text("Label1"), QStringLiteral("タイピングZem"));
        QVERIFY(g.focused("Button1"));
        QCOMPARE(g.form->model().focus(), g.form->Button1);
        // In a game nothing else can take it: the window keeps its keys.
        g.start();
        g.window->clearFocus();
        g.typeNext();
        QCOMPARE(g.state().StrokeCount, 1);
        QVERIFY(g.windowFocused());
    }

    void spaceAndEnterPressStart_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void spaceAndEnterPressStart() {
        QFETCH(int, key);
        GameWindow g;
        g.key(Qt::Key(key));
        QVERIFY(g.find("Panel32")->isVisible());
        QVERIFY(!g.find("Button1")->isVisible());
        QVERIFY(g.windowFocused());
        QCOMPARE(g.state().ClockRunning, 1);
        QCOMPARE(g.state().MissCount, 0); // the key that started the game is not judged
    }

    void aClickOnStartStartsAGame() {
        GameWindow g;
        g.click("groupbox1"); // somewhere else first: the group takes no focus
        g.click("Button1");
        QVERIFY(g.windowFocused());
        QVERIFY(g.find("Shape1")->isVisible());
    }

    void duringAGameTheWindowGetsEveryKeyTabIncluded() {
        GameWindow g;
        g.start();
        g.key(Qt::Key_Tab);
        g.type('1');
        g.key(Qt::Key_Backspace);
        g.key(Qt::Key_Shift); // no character: key-down and key-up only
        QVERIFY(g.windowFocused());
        QCOMPARE(g.state().MissCount, 3);
        QCOMPARE(g.text("Label7"), QStringLiteral("3打"));
    }

    void escapeGivesStartTheFocusAndItsCharacterIsStillJudged() {
        GameWindow g;
        g.start();
        g.key(Qt::Key_Escape);
        QVERIFY(g.focused("Button1"));
        QCOMPARE(g.state().MissCount, 1);
        // Its release found START focused, so no key-up showed the count.
        QCOMPARE(g.text("Label7"), QStringLiteral("0打"));
        QVERIFY(!g.find("Panel32")->isVisible());
        g.type('q');
        QCOMPARE(g.state().MissCount, 1);
    }

    void tabRunsFromStartToTheCheckedModeToTheCourse() {
        GameWindow g;
        g.key(Qt::Key_Tab);
        QVERIFY(g.focused("RadioButton2"));
        g.key(Qt::Key_Tab);
        QVERIFY(g.focused("ComboBox1"));
        QCOMPARE(g.form->model().focus(), g.form->ComboBox1);
        g.key(Qt::Key_Tab);
        QVERIFY(g.focused("Button1"));

        g.click("RadioButton1");
        g.click("Button1");    // starts a game, then
        g.key(Qt::Key_Escape); // back to START
        g.key(Qt::Key_Tab);
        QVERIFY(g.focused("RadioButton1"));
    }

    void aCoursePickedWithTheKeyboardSetsTheCourse() {
        GameWindow g;
        g.key(Qt::Key_Tab);
        g.key(Qt::Key_Tab);
        g.key(Qt::Key_Down);
        QCOMPARE(g.text("Label8"), QStringLiteral("200打コース"));
        QCOMPARE(g.state().CourseLength, 200);
        g.type('5'); // the list selects by the typed digit; the game sees nothing
        QCOMPARE(g.text("Label8"), QStringLiteral("500打コース"));
        QCOMPARE(g.state().MissCount, 0);
    }

    void aModeClickSwapsTheSizesOfTheRecordCaptions() {
        GameWindow g;
        g.click("RadioButton1");
        QVERIFY(g.find<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(g.focused("RadioButton1"));
        QCOMPARE(g.find("Label11")->font().pixelSize(), 16);
        QCOMPARE(g.find("Label13")->font().pixelSize(), 16);
        QCOMPARE(g.find("Label10")->font().pixelSize(), 12);
        QCOMPARE(g.find("Label12")->font().pixelSize(), 12);
        // The right edge of a right-aligned record stays where it was.
        QCOMPARE(g.find("Label13")->geometry().right() + 1, 376);

        g.click("RadioButton2");
        QCOMPARE(g.find("Label10")->font().pixelSize(), 16);
        QCOMPARE(g.find("Label11")->font().pixelSize(), 12);
        QVERIFY(g.form->wordMode());
    }

    // Between games the menu bar offers what the game can do, by Alt and a
    // letter too; during a game no key and no click reaches it, and the keys
    // go on to the game.
    void theMenuBarServesBetweenGamesOnly() {
        GameWindow g;
        auto *bar = g.find<QMenuBar>("MenuBar");
        auto *game = g.find<QMenu>("GameMenu");
        QStringList items;
        for (QAction *a : game->actions())
            if (!a->isSeparator() && a->isVisible())
                items << a->text();
        QCOMPARE(items, QStringList({QStringLiteral("成績…"), QStringLiteral("苦手練習"),
                                     QStringLiteral("終了")}));
        g.key(Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), game);
        // Escape closes the menu, and a second one leaves the bar.
        QTest::keyClick(game, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        g.key(Qt::Key_Escape);
        QVERIFY(g.focused("Button1"));

        g.start();
        QVERIFY(!bar->isEnabled());
        g.key(Qt::Key_Alt);
        g.key(Qt::Key_F10);
        g.key(Qt::Key_G, Qt::AltModifier);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(game->menuAction()).center());
        QApplication::processEvents();
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(g.windowFocused());
        const int strokes = g.state().StrokeCount;
        g.typeNext();
        QCOMPARE(g.state().StrokeCount, strokes + 1);
        g.key(Qt::Key_Escape);
        QVERIFY(bar->isEnabled());
    }

    // ヘルプ: a page on how to play that says where everything is kept, and
    // the version; ゲーム ▸ 終了 closes the window.
    void theHelpMenuTellsWhereThingsAreKept() {
        GameWindow g;
        g.window->grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/menu_bar.png"));
        for (QAction *page : g.find<QMenu>("HelpMenu")->actions())
            page->trigger();
        QCOMPARE(g.boxes.texts.size(), 2);
        QVERIFY2(g.boxes.texts[0].contains(QStringLiteral("hiscore.dat")),
                 qPrintable(g.boxes.texts[0]));
        QVERIFY(g.boxes.texts[1].contains(QStringLiteral("タイピングZem 3.0")));
        QCOMPARE(g.boxes.icon, QMessageBox::Information);
        for (QAction *a : g.find<QMenu>("GameMenu")->actions())
            if (a->text() == QStringLiteral("終了"))
                a->trigger();
        QVERIFY(!g.window->isVisible());
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::KeyRouting)
#include "key_routing_test.moc"
