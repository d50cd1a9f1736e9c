// The finger guide on screen, switched by the settings file and the
// player's choices as the program wires them.
#include "game_window.h"

#include "app/player_choices.h"
#include "app/qt/design_look.h"
#include "app/qt/settings_file.h"
#include "game/fingers.h"

#include <QAccessible>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>

namespace zem::test {

namespace {

const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

// Inside key panel n, clear of its bevel and its caption.
QColor keyColor(GameWindow &g, const QImage &image, int n) {
    const QRect r = g.find(qPrintable(QStringLiteral("Panel%1").arg(n)))->geometry();
    return QColor(image.pixel(r.topLeft() + QPoint(5, 5)));
}

QColor tintOf(GameWindow &g, int n) {
    const std::string &caption =
        g.form->model().text(g.form->model().id("Panel" + std::to_string(n)));
    return QColor(toQColor(fingerOf(caption)->tint).rgb());
}

// Every key shows its tint but those given.
void expectTints(GameWindow &g, const std::map<int, QColor> &marked = {}) {
    const QImage image = g.onScreen();
    for (int n = 1; n <= 30; ++n)
        QCOMPARE(keyColor(g, image, n), marked.count(n) ? marked.at(n) : tintOf(g, n));
}

} // namespace

class FingerGuide : public QObject {
    Q_OBJECT

private slots:
    void theKeysWearTheirFingersAndTheLineNamesTheNextKeysFinger() {
        QTemporaryDir dir;
        const QString conf = dir.filePath(QStringLiteral("zem.conf"));
        QFile file(conf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[view]\nfingers=true\n");
        file.close();
        GameWindow g;
        const QImage designed = g.onScreen();
        SettingsFile settings(conf);
        PlayerChoices choices(*g.form, settings, {});
        choices.start({}, {});
        g.window->setChoices(&choices);
        auto *line = g.find<QLabel>("FingerLabel");
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QString());
        expectTints(g);

        // Off, the window is the design's again, to the pixel.
        g.window->dispatch([&] { choices.setFingerGuide(false); });
        QVERIFY(!readSettings(conf).fingers);
        QVERIFY(g.onScreen() == designed);
        g.window->dispatch([&] { choices.setFingerGuide(true); });
        QVERIFY(readSettings(conf).fingers);

        g.random.next = {3}; // UMA
        g.start();
        QCOMPARE(line->text(), QStringLiteral("右手 人差し指"));
        g.type('q');
        expectTints(g, {{7, kYellow}, {1, kRed}});
        QCOMPARE(line->text(), QStringLiteral("右手 人差し指"));
        QCOMPARE(QAccessible::queryAccessibleInterface(g.find("Panel7"))->text(QAccessible::Name),
                 QStringLiteral("U 右手 人差し指"));
        // In the keyboard's tray, below its bottom row, and whole.
        const QRect tray = g.find("Panel31")->geometry();
        QVERIFY(tray.contains(line->geometry()));
        QCOMPARE_GE(line->y(), g.find("Panel21")->geometry().bottom());
        QCOMPARE_LE(QFontMetrics(line->font()).horizontalAdvance(line->text()), line->width());
        g.screenshot("fingers");

        g.type('u');
        g.type('m');
        QCOMPARE(line->text(), QStringLiteral("左手 小指")); // A
        g.key(Qt::Key_Escape);
        QCOMPARE(line->text(), QString());
        expectTints(g);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::FingerGuide)
#include "finger_guide_test.moc"
