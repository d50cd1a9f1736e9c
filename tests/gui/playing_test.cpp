// Whole games and single strokes, as the player types them into the window.
#include "game_window.h"

#include "app/qt/quit_on_signals.h"

#include <QProgressBar>

#include <csignal>

namespace zem::test {

namespace {

Color colorOf(GameWindow &g, const char *name) {
    return g.form->model().color(g.form->model().id(name));
}

int keysIn(GameWindow &g, Color color) {
    int n = 0;
    for (int i = 1; i <= 30; ++i)
        n += colorOf(g, ("Panel" + std::to_string(i)).c_str()) == color;
    return n;
}

} // namespace

class Playing : public QObject {
    Q_OBJECT

private slots:
    void typingTheYellowKeyToTheEndOfTheCourseShowsTheResult_data() {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("result");
        QTest::newRow("no record yet")
            << QString::fromStdString(freshRecords()) << QStringLiteral("記録更新だ!!");
        QTest::newRow("record too fast to beat")
            << QStringLiteral("9999\r\n").repeated(40) << QStringLiteral("100打だ!!");
    }
    void typingTheYellowKeyToTheEndOfTheCourseShowsTheResult() {
        QFETCH(QString, records);
        QFETCH(QString, result);
        GameWindow g(records.toStdString());
        g.start();
        g.tick(30);
        while (g.state().StrokeCount < 100) {
            // The yellow key is the one to type.
            QCOMPARE(keysIn(g, clYellow), 1);
            g.typeNext();
        }
        QCOMPARE(g.boxes.texts, QStringList());
        QCOMPARE(g.text("Label1"), result);
        QCOMPARE(g.text("Label3"), QStringLiteral("100打"));
        QCOMPARE(g.text("Label5"), QStringLiteral("200打/分"));
        auto *bar = g.find<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->value(), 100);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(keysIn(g, clCream), 30);
        QVERIFY(g.focused("Button1"));
        QVERIFY(g.find("Panel32")->isVisible());
        QCOMPARE(g.find("Panel32")->y(), 24);
        QVERIFY(!g.find("Shape1")->isVisible());
        g.screenshot(QTest::currentDataTag() == QStringLiteral("no record yet") ? "finished_record"
                                                                                : "finished");
    }

    void aMissTurnsTheTypedKeyRedWithShiftOrWithoutALetter() {
        GameWindow g;
        g.random.next = {3}; // UMA
        g.start();
        g.type('Q', Qt::ShiftModifier);
        QCOMPARE(colorOf(g, "Panel1"), clRed); // Q, in either case
        QCOMPARE(g.text("Label7"), QStringLiteral("1打"));
        QCOMPARE(colorOf(g, "Panel7"), clYellow); // U still to type
        g.screenshot("miss");
        g.type('1');
        QCOMPARE(keysIn(g, clRed), 0); // no key of its own
        QCOMPARE(g.text("Label7"), QStringLiteral("2打"));
        g.type('U', Qt::ShiftModifier); // upper case is the target itself
        QCOMPARE(g.text("Label1"), QStringLiteral("MA"));
        QCOMPARE(g.state().MissCount, 2);
    }

    // Each code page 932 byte of a character is judged on its own.
    void textFromAnInputMethodIsAMissThatMarksNoKey() {
        GameWindow g;
        g.random.next = {3};
        g.start();
        g.typeText(Qt::Key_unknown, QStringLiteral("あ")); // two bytes
        QCOMPARE(g.state().MissCount, 2);
        QCOMPARE(g.text("Label7"), QStringLiteral("2打"));
        g.typeText(Qt::Key_yen, QStringLiteral("¥")); // 0x5C, as on a Japanese keyboard
        QCOMPARE(g.state().MissCount, 3);
        QCOMPARE(keysIn(g, clRed), 0);
        QCOMPARE(g.text("Label1"), QStringLiteral("UMA"));
    }

    void aHeldKeyRepeatsItsStrokeButReleasesOnce() {
        GameWindow g;
        g.random.next = {9}; // KAPPA
        g.start();
        g.type('k');
        g.type('a');
        QWindow *w = g.window->windowHandle();
        QTest::simulateEvent(w, true, Qt::Key_P, Qt::NoModifier, "p", false);
        for (int i = 0; i < 3; ++i) {
            QTest::simulateEvent(w, false, Qt::Key_P, Qt::NoModifier, "p", true);
            QTest::simulateEvent(w, true, Qt::Key_P, Qt::NoModifier, "p", true);
        }
        // P, P, then two more where A was due.
        QCOMPARE(g.text("Label1"), QStringLiteral("A"));
        QCOMPARE(g.state().MissCount, 2);
        QCOMPARE(g.text("Label7"), QStringLiteral("0打")); // no key-up yet
        QTest::simulateEvent(w, false, Qt::Key_P, Qt::NoModifier, "p", false);
        QCOMPARE(g.text("Label7"), QStringLiteral("2打"));
        QCOMPARE(colorOf(g, "Panel11"), clYellow); // A
    }

    void theClockCountsWhileAGameRuns() {
        GameWindow g;
        g.start();
        g.tick(61);
        QCOMPARE(g.text("Label4"), QStringLiteral("1分1秒"));
        QCOMPARE(g.find("Label4")->geometry().right() + 1, 209); // right edge kept
        auto *timer = g.window->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer); // a coarse one skips or repeats seconds
    }

    // The window manager's close (Alt+F4) and the end of a session
    // (SIGTERM, SIGHUP, which end the event loop) stop a game in play as
    // Escape does: it is kept, stopped, with the strokes typed.
    void aGameInPlayIsKeptWhenTheWindowClosesOrTheSessionEnds_data() {
        QTest::addColumn<int>("signal"); // 0: the window is closed
        QTest::newRow("close") << 0;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aGameInPlayIsKeptWhenTheWindowClosesOrTheSessionEnds() {
        QFETCH(int, signal);
        GameWindow g;
        quitOnTerminationSignals();
        g.start();
        g.tick(3);
        for (int i = 0; i < 20; ++i)
            g.typeNext();
        if (signal == 0) {
            g.window->close();
        } else {
            QTimer::singleShot(0, [signal] { ::raise(signal); });
            QCoreApplication::exec();
        }
        QCOMPARE(g.history.games.size(), std::size_t(1));
        QVERIFY(!g.history.games[0].completed);
        QCOMPARE(g.history.games[0].strokes, 20);
        QCOMPARE(g.history.games[0].seconds, 3);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::Playing)
#include "playing_test.moc"
