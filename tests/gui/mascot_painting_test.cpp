// The mascot as the player sees it: every panel of the head probed on the
// grabbed window, at its in-game place and in the corner after a course.
#include "figure_probes.h"
#include "game_window.h"

#include <QDir>

#include <set>
#include <string>

namespace zem::test {

namespace {

constexpr int kFigureLeft = 392;

QColor at(const QImage &image, QPoint figure, int top) {
    return image.pixelColor(QPoint(kFigureLeft, top) + figure);
}

// The whole window, and the figure cut out of it four times as large with
// hard pixel edges, for a look by eye.
void saveFigure(const GameWindow &g, const QString &name, int top) {
    const QString dir = QStringLiteral(ZEM_SCREENSHOT_DIR "/");
    QDir().mkpath(dir);
    const QImage window = g.grab();
    window.save(dir + "mascot_" + name + ".png");
    window.copy(kFigureLeft, top, 81, 153)
        .scaled(81 * 4, 153 * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(dir + "mascot_" + name + "_x4.png");
}

} // namespace

class MascotPainting : public QObject {
    Q_OBJECT

private slots:
    void theProbesCoverEveryPanelOfTheFigure() {
        GameWindow g;
        const WindowModel &model = g.form->model();
        std::set<std::string> figure;
        for (ControlId id = 0; id < model.size(); ++id)
            for (ControlId up = id; up != kWindow; up = model.at(up).parent)
                if (model.at(up).name == "Panel32")
                    figure.insert(model.at(id).name);
        std::set<std::string> probed;
        for (const FigureProbe &p : figureProbes({}))
            probed.insert(p.panel);
        QCOMPARE(figure.size(), std::size_t(28));
        QVERIFY(probed == figure);
    }

    void startShowsTheClosedMouthUnderTheBalloon() {
        GameWindow g;
        g.start();
        const QImage image = g.grab();
        ZEM_EXPECT_NONE(figureMismatches(image, {kFigureLeft, 128}, 80, {}));
        // The jaw lies over the bottom rows of the upper teeth: the lower
        // teeth's top edge shows there, then their white.
        QCOMPARE(at(image, {26, 80}, 128), shown(clBtnHighlight));
        QCOMPARE(at(image, {26, 81}, 128), kWhite);
        saveFigure(g, QStringLiteral("jaw80"), 128);
    }

    void threeCorrectStrokesOpenTheMouthWideAndTurnThePatchesCream() {
        GameWindow g;
        g.random.next = {3}; // UMA
        g.start();
        for (int i = 0; i < 3; ++i)
            g.typeNext();
        const QImage image = g.grab();
        ZEM_EXPECT_NONE(figureMismatches(image, {kFigureLeft, 128}, 110, {.patchesCream = true}));
        // Between the rows of teeth the black ground shows, where the cream
        // bar below the lower teeth stood with the mouth closed; the upper
        // teeth now show their own bottom rows.
        QCOMPARE(at(image, {40, 93}, 128), kBlack);
        QCOMPARE(at(image, {40, 109}, 128), kBlack);
        QCOMPARE(at(image, {26, 80}, 128), kWhite);
        QCOMPARE(at(image, {26, 81}, 128), shown(clBtnShadow));
        saveFigure(g, QStringLiteral("jaw110"), 128);
    }

    void aMissTurnsTheEyesRedAndNothingElse() {
        GameWindow g;
        g.random.next = {3};
        g.start();
        g.typeNext();
        g.type('q');
        const QImage image = g.grab();
        ZEM_EXPECT_NONE(figureMismatches(image, {kFigureLeft, 128}, 90,
                                         {.eyesRed = true, .patchesCream = true}));
        saveFigure(g, QStringLiteral("red_eyes"), 128);
        g.typeNext();
        ZEM_EXPECT_NONE(figureMismatches(g.grab(), {kFigureLeft, 128}, 100, {}));
    }

    // The figure repaints only where a stroke changed it: what the screen
    // shows after each stroke of a whole jaw cycle, and after a miss, is
    // what a fresh rendering of the window shows.
    void eachStrokeLeavesTheFigureOnScreenAsFreshlyDrawn() {
        GameWindow g;
        g.random.next = {1}; // ATAMA: long enough for a jaw cycle
        g.start();
        const QRect figure = g.find("Panel32")->geometry();
        QStringList wrong;
        for (int stroke = 1; stroke <= 7; ++stroke) {
            stroke == 7 ? g.type('q') : g.typeNext();
            if (g.onScreen().copy(figure) != g.grab().copy(figure))
                wrong << QStringLiteral("after stroke %1").arg(stroke);
        }
        ZEM_EXPECT_NONE(wrong);
    }

    void aCompletedCourseLeavesTheFigureInTheTopRightCorner() {
        GameWindow g;
        g.start();
        g.tick(30);
        while (g.state().StrokeCount < 100)
            g.typeNext();
        QCOMPARE(g.boxes.texts, QStringList());
        // A hundred strokes: the jaw's cycle of six stands at its fourth
        // step, and an even count leaves the patches in button face.
        const QImage image = g.grab();
        ZEM_EXPECT_NONE(figureMismatches(image, {kFigureLeft, 24}, 100, {}));
        // Nothing of the figure is left at its in-game place below.
        QCOMPARE(at(image, {4, 150}, 128), shown(clMenu));
        saveFigure(g, QStringLiteral("finished"), 24);
    }

    // A raised bevel: highlight along the top and left, shadow along the
    // bottom and right, as many lines as it is wide.
    void theEyesTeethAndNostrilsCarryRaisedBevels() {
        GameWindow g;
        g.start();
        const QImage image = g.grab();
        const QColor light = shown(clBtnHighlight), dark = shown(clBtnShadow);
        struct Line {
            const char *what;
            QPoint figure;
            QColor colour;
        };
        const Line lines[] = {
            {"left eye, top", {24, 40}, light},         {"left eye, top 2", {24, 41}, light},
            {"left eye, inside", {24, 42}, kYellow},    {"left eye, left", {16, 48}, light},
            {"left eye, left 2", {17, 48}, light},      {"left eye, right", {32, 48}, dark},
            {"left eye, right 2", {31, 48}, dark},      {"left eye, bottom", {20, 56}, dark},
            {"left eye, bottom 2", {20, 55}, dark},     {"right eye, bottom", {56, 56}, dark},
            {"right eye, left", {49, 48}, light},       {"right eye, inside", {50, 48}, kYellow},
            {"upper teeth, top", {26, 72}, light},      {"upper teeth, left", {21, 76}, light},
            {"upper teeth, right", {65, 76}, dark},     {"strip, left", {31, 76}, light},
            {"strip, right", {35, 76}, dark},           {"lower teeth, bottom", {26, 89}, dark},
            {"nostril, top", {35, 62}, light},          {"nostril, bottom", {35, 66}, dark},
            {"face right of the eye", {34, 48}, kCream}};
        QStringList wrong;
        for (const Line &l : lines)
            if (at(image, l.figure, 128) != l.colour)
                wrong << QString::fromLatin1(l.what);
        ZEM_EXPECT_NONE(wrong);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::MascotPainting)
#include "mascot_painting_test.moc"
