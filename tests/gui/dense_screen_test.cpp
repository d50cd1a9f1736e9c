// The window on a screen of twice the density (run with QT_SCALE_FACTOR=2):
// the design's 96-dpi pixels become 2 × 2 device pixels, each drawn sharp.
#include "figure_probes.h"
#include "game_window.h"

#include <QLabel>

namespace zem::test {

namespace {

constexpr int kScale = 2;

// The device pixel at the top-left of design pixel (x, y), and the one at
// its bottom-right: a sharp drawing fills both with the same colour.
QColor topLeftOf(const QImage &image, int x, int y) {
    return image.pixelColor(x * kScale, y * kScale);
}
QColor bottomRightOf(const QImage &image, int x, int y) {
    return image.pixelColor(x * kScale + 1, y * kScale + 1);
}

// Design pixels whose four device pixels are not all `colour`.
QStringList notWhole(const QImage &image, const std::vector<QPoint> &points, const QColor &colour) {
    QStringList wrong;
    for (QPoint p : points)
        for (int dy = 0; dy < kScale; ++dy)
            for (int dx = 0; dx < kScale; ++dx) {
                const QColor seen = image.pixelColor(p * kScale + QPoint(dx, dy));
                if (seen.rgb() != colour.rgb())
                    wrong << QStringLiteral("(%1,%2)+(%3,%4): %5, want %6")
                                 .arg(p.x())
                                 .arg(p.y())
                                 .arg(dx)
                                 .arg(dy)
                                 .arg(seen.name(), colour.name());
            }
    return wrong;
}

// How many aligned 2 × 2 blocks inside `area` (design pixels) hold more than
// one colour. Text drawn at the screen's density has edges inside blocks; a
// text drawn at 96 dpi and blown up has none.
int splitBlocks(const QImage &image, QRect area) {
    int split = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb first = image.pixel(x * kScale, y * kScale);
            split += image.pixel(x * kScale + 1, y * kScale) != first ||
                     image.pixel(x * kScale, y * kScale + 1) != first ||
                     image.pixel(x * kScale + 1, y * kScale + 1) != first;
        }
    return split;
}

} // namespace

class DenseScreen : public QObject {
    Q_OBJECT

private slots:
    void theWindowKeepsItsDesignSizeInTwiceAsManyPixels() {
        GameWindow g;
        QCOMPARE(g.window->devicePixelRatio(), 2.0);
        QCOMPARE(g.window->clientArea()->size(), QSize(491, 334));
        const QPixmap shot = g.window->clientArea()->grab();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        QCOMPARE(shot.size(), QSize(982, 668));
        QCOMPARE(g.find("Button1")->geometry(), QRect(398, 197, 75, 30));
    }

    void theFrameLinesAreTwoBlackDevicePixels() {
        GameWindow g;
        const QImage image = g.grab();
        // The frame: left 15, top 15, right 485 and bottom 330 exclusive.
        ZEM_EXPECT_NONE(notWhole(image, {{100, 15}, {15, 100}, {484, 100}, {200, 329}}, kBlack));
        ZEM_EXPECT_NONE(notWhole(image,
                                 {{100, 14},
                                  {100, 16},
                                  {14, 100},
                                  {16, 100},
                                  {483, 100},
                                  {485, 100},
                                  {200, 328},
                                  {200, 330}},
                                 shown(clMenu)));
        // A key's raised 3-px bevel is six device pixels of highlight, then
        // the cream face.
        ZEM_EXPECT_NONE(notWhole(image, {{56, 210}, {56, 211}, {56, 212}, {46, 220}, {48, 220}},
                                 shown(clBtnHighlight)));
        ZEM_EXPECT_NONE(notWhole(image, {{56, 213}, {49, 220}, {51, 215}}, kCream));
        ZEM_EXPECT_NONE(notWhole(image, {{30, 205}, {380, 316}}, kSilver)); // the tray
    }

    // The frame's corners are one curve, mirrored: right 485 and bottom 330
    // are exclusive, so the frame is symmetric about x 249.5 and y 172.
    void theFrameHasFourEqualCorners() {
        GameWindow g;
        const QImage image = g.grab();
        const int right = 485 * kScale - 1, bottom = 330 * kScale - 1, left = 15 * kScale,
                  top = 15 * kScale;
        QStringList wrong;
        for (int dy = 0; dy < 12 * kScale; ++dy)
            for (int dx = 0; dx < 12 * kScale; ++dx) {
                const bool ink = image.pixelColor(left + dx, top + dy) == kBlack;
                const QPoint mirrors[] = {
                    {right - dx, top + dy}, {left + dx, bottom - dy}, {right - dx, bottom - dy}};
                for (QPoint m : mirrors)
                    if ((image.pixelColor(m) == kBlack) != ink)
                        wrong << QStringLiteral("(%1,%2)").arg(m.x()).arg(m.y());
            }
        ZEM_EXPECT_NONE(wrong);
        QCOMPARE(image.pixelColor(left + 2, top + 2), shown(clMenu)); // a curve, no square
    }

    void startAndTheKeysStandAtTwiceTheirPlaces() {
        GameWindow g;
        QImage image = g.grab();
        // START's outline runs along its design edges, the window's
        // background right outside them.
        for (QPoint edge : {QPoint(398, 212), QPoint(435, 197), QPoint(472, 212)}) {
            QVERIFY(topLeftOf(image, edge.x(), edge.y()) != shown(clMenu));
            QCOMPARE(topLeftOf(image, edge.x(), edge.y()),
                     bottomRightOf(image, edge.x(), edge.y()));
        }
        QCOMPARE(topLeftOf(image, 397, 212), shown(clMenu));
        QCOMPARE(topLeftOf(image, 435, 196), shown(clMenu));

        g.random.next = {3}; // UMA
        g.start();
        image = g.grab();
        ZEM_EXPECT_NONE(notWhole(image, {{233, 215}, {252, 234}}, kYellow)); // U
        ZEM_EXPECT_NONE(notWhole(image, {{51, 215}, {70, 234}}, kCream));    // Q
        ZEM_EXPECT_NONE(figureMismatches(image, {392, 128}, 80, {}, kScale));
        g.type('q');
        image = g.grab();
        ZEM_EXPECT_NONE(notWhole(image, {{51, 215}}, kRed));
        ZEM_EXPECT_NONE(figureMismatches(image, {392, 128}, 80, {.eyesRed = true}, kScale));
        g.screenshot("dense_2x");
    }

    void textIsDrawnAtTheScreensDensity() {
        GameWindow g;
        const QImage image = g.grab();
        const QFont title = g.find("Label1")->font();
        QCOMPARE(title.pixelSize(), 39); // in design pixels: 78 device pixels
        // The title, the keys' captions and the small credit line.
        QVERIFY(splitBlocks(image, g.find("Label1")->geometry()) > 500);
        QVERIFY(splitBlocks(image, g.find("Panel1")->geometry().adjusted(3, 3, -3, -3)) > 20);
        QVERIFY(splitBlocks(image, g.find("Label9")->geometry()) > 100);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::DenseScreen)
#include "dense_screen_test.moc"
