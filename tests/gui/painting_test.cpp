// What the window shows, probed pixel by pixel on grabbed images.
#include "app/qt/design_look.h"
#include "game_window.h"

namespace zem::test {

namespace {

const QColor kCream(255, 251, 240);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kSilver(192, 192, 192);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

QColor at(const QImage &image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// A design colour as it reaches the screen.
QColor shown(Color color) {
    return QColor(toQColor(color).rgb());
}

// A point inside a key panel, clear of its bevel and its caption.
QPoint keyInterior(GameWindow &g, int panel) {
    const QRect r = g.find(("Panel" + std::to_string(panel)).c_str())->geometry();
    return r.topLeft() + QPoint(5, 5);
}

QColor keyColor(GameWindow &g, const QImage &image, int panel) {
    const QPoint p = keyInterior(g, panel);
    return at(image, p.x(), p.y());
}

} // namespace

class Painting : public QObject {
    Q_OBJECT

private slots:
    void theIdleWindowShowsFrameCreamKeysAndSilverTray() {
        GameWindow g;
        const QImage image = g.grab();
        QCOMPARE(image.size(), QSize(491, 334));
        // The frame: left 15, top 15, right 485 and bottom 330 exclusive.
        QCOMPARE(at(image, 100, 15), kBlack);
        QCOMPARE(at(image, 15, 100), kBlack);
        QCOMPARE(at(image, 484, 100), kBlack);
        QCOMPARE(at(image, 200, 329), kBlack);
        QCOMPARE(at(image, 100, 16), shown(clMenu));
        QCOMPARE(at(image, 100, 14), shown(clMenu));
        QCOMPARE(at(image, 485, 100), shown(clMenu));
        for (int panel = 1; panel <= 30; ++panel)
            QCOMPARE(keyColor(g, image, panel), kCream);
        QCOMPARE(at(image, 30, 205), kSilver);
        // A raised 3-px bevel: light top-left, dark bottom-right.
        QCOMPARE(at(image, 48, 212), shown(clBtnHighlight));
        QCOMPARE(at(image, 46 + 28, 210 + 28), shown(clBtnShadow));
    }

    void aRunningGameShowsTheBalloonAndTheYellowKey() {
        GameWindow g;
        g.random.next = {3}; // UMA
        g.start();
        const QImage image = g.grab();
        QCOMPARE(keyColor(g, image, 7), kYellow); // U
        QCOMPARE(keyColor(g, image, 8), kCream);
        // One white balloon: the bar, its outline, the tail down to the
        // mascot, and the patch where they meet.
        for (QPoint p : {QPoint(200, 40), QPoint(124, 24), QPoint(300, 56), QPoint(456, 110),
                         QPoint(440, 60), QPoint(472, 40)})
            QCOMPARE(at(image, p.x(), p.y()), kWhite);
        QCOMPARE(at(image, 456, 131), kBlack);  // the mascot's head below the tail
        QCOMPARE(at(image, 416, 176), kYellow); // its left eye
        g.screenshot("running");
    }

    void aMissShowsTheTypedKeyAndTheEyesRed() {
        GameWindow g;
        g.random.next = {3};
        g.start();
        g.type('q');
        const QImage image = g.grab();
        QCOMPARE(keyColor(g, image, 1), kRed);
        QCOMPARE(keyColor(g, image, 7), kYellow);
        QCOMPARE(at(image, 416, 176), kRed);
        g.type('u');
        QCOMPARE(keyColor(g, g.grab(), 1), kCream);
    }

    void resizingTheWindowMovesNothing() {
        GameWindow g;
        const QRect key = g.find("Panel30")->geometry();
        const QRect start = g.find("Button1")->geometry();
        g.window->resize(700, 500);
        QCOMPARE(g.find("Panel30")->geometry(), key);
        QCOMPARE(g.find("Button1")->geometry(), start);
        const QImage image = g.grab();
        QCOMPARE(at(image, 484, 100), kBlack);
        QCOMPARE(at(image, 600, 400), shown(clMenu));
    }

    void labelsUseTheMinchoAtTheirDesignHeights() {
        GameWindow g;
        const QFont title = g.find("Label1")->font();
        QCOMPARE(title.pixelSize(), 39);
        QVERIFY(!title.bold());
        QVERIFY(title.families().contains(QStringLiteral("IPAMincho")));
        QCOMPARE(QFontInfo(g.find("Panel1")->font()).pixelSize(), 16);
        QCOMPARE(g.find("Label8")->font().pixelSize(), 12);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::Painting)
#include "painting_test.moc"
