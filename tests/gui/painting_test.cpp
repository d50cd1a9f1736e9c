// What the window shows, probed pixel by pixel on grabbed images.
#include "app/qt/design_look.h"
#include "app/qt/qt_canvas.h"
#include "game/fingers.h"
#include "game_window.h"

#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

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

QColor paletteColor(GameWindow &g, QPalette::ColorRole role) {
    return QColor(g.find("ProgressBar1")->palette().color(role).rgb());
}

bool anyBlack(const QImage &image, const QRect &area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(image, x, y) == kBlack)
                return true;
    return false;
}

QColor keyColor(GameWindow &g, const QImage &image, int panel) {
    const QPoint p = keyInterior(g, panel);
    return at(image, p.x(), p.y());
}

// What a widget paints itself, over a colour no label uses.
QImage paintedOn(QWidget &widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

class Painting : public QObject {
    Q_OBJECT

private slots:
    void theIdleWindowShowsFrameCreamKeysAndSilverTray() {
        GameWindow g;
        const QImage image = g.onScreen();
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
        const QImage image = g.onScreen();
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
        const QImage image = g.onScreen();
        QCOMPARE(keyColor(g, image, 1), kRed);
        QCOMPARE(keyColor(g, image, 7), kYellow);
        QCOMPARE(at(image, 416, 176), kRed);
        g.type('u');
        QCOMPARE(keyColor(g, g.onScreen(), 1), kCream);
    }

    // 指の案内: the keys at rest in their fingers' tints with the marks over
    // them, and the next key's finger named in the tray; off again, the
    // window is the design's to the pixel.
    void theFingerGuideTintsTheKeysAndNamesTheNextKeysFinger() {
        GameWindow g;
        const QImage designed = g.onScreen();
        const auto guide = [&](bool on) {
            g.window->dispatch([&] { g.form->setFingerGuide(on); });
        };
        const auto tint = [&](int panel) {
            const WindowModel &model = g.form->model();
            return shown(fingerOf(model.text(model.id("Panel" + std::to_string(panel))))->tint);
        };
        guide(true);
        g.random.next = {3}; // UMA
        g.start();
        g.type('q');
        const QImage image = g.onScreen();
        for (int panel = 1; panel <= 30; ++panel)
            QCOMPARE(keyColor(g, image, panel), panel == 1   ? kRed
                                                : panel == 7 ? kYellow
                                                             : tint(panel));
        auto *line = g.find<QLabel>("FingerLabel");
        QCOMPARE(line->text(), QStringLiteral("右手 人差し指")); // U
        QVERIFY(g.find("Panel31")->geometry().contains(line->geometry()));
        QCOMPARE_GE(line->y(), g.find("Panel21")->geometry().bottom());
        QCOMPARE_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
        g.screenshot("fingers");

        g.key(Qt::Key_Escape);
        QCOMPARE(line->text(), QString());
        guide(false);
        QVERIFY(g.onScreen() == designed);
    }

    void theBarGrowsWithEveryStrokeOfAShortCourse() {
        GameWindow g;
        g.start();
        const QRect bar = g.find("ProgressBar1")->geometry();
        const int inside = bar.width() - 2;
        for (int stroke = 1; stroke <= 50; ++stroke) {
            g.typeNext();
            const int end = bar.x() + 1 + inside * stroke / 100; // first pixel not yet filled
            const QImage image = g.onScreen();
            QCOMPARE(at(image, end - 1, bar.center().y()), paletteColor(g, QPalette::Highlight));
            QCOMPARE(at(image, end, bar.center().y()), paletteColor(g, QPalette::Base));
        }
    }

    // The frame is repainted piece by piece as controls change above it; a
    // piece clear of the outline is only filled.
    void theFrameKeepsItsOutlineWhenRepaintedInPieces_data() {
        QTest::addColumn<QRect>("exposed");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<QPoint>("filled");
        QTest::newRow("inside") << QRect(100, 100, 50, 50) << false << QPoint(120, 120);
        QTest::newRow("from the top line") << QRect(100, 15, 50, 20) << true << QPoint(120, 16);
        QTest::newRow("up to the right line")
            << QRect(470, 100, 15, 20) << true << QPoint(483, 110);
        QTest::newRow("next to the bottom line")
            << QRect(100, 300, 50, 29) << false << QPoint(120, 328);
        QTest::newRow("a corner only") << QRect(15, 15, 6, 6) << true << QPoint(20, 20);
    }
    void theFrameKeepsItsOutlineWhenRepaintedInPieces() {
        QFETCH(QRect, exposed);
        QFETCH(bool, outline);
        QFETCH(QPoint, filled);
        QImage image(491, 334, QImage::Format_RGB32);
        image.fill(Qt::green);
        {
            QPainter painter(&image);
            painter.setClipRect(exposed);
            QtCanvas canvas(painter, exposed);
            canvas.roundRect(15, 15, 485, 330, 20, 20, clBlack, clMenu);
        }
        QCOMPARE(anyBlack(image, exposed), outline);
        QCOMPARE(at(image, filled.x(), filled.y()), shown(clMenu));
        QCOMPARE(at(image, exposed.right() + 1, exposed.bottom() + 1), QColor(Qt::green));
    }

    void resizingTheWindowMovesNothing() {
        GameWindow g;
        const QRect key = g.find("Panel30")->geometry();
        const QRect start = g.find("Button1")->geometry();
        g.window->resize(700, 500);
        QCOMPARE(g.find("Panel30")->geometry(), key);
        QCOMPARE(g.find("Button1")->geometry(), start);
        QCOMPARE(at(g.onScreen(), 484, 100), kBlack);
        QCOMPARE(at(g.window->grab().toImage(), 600, 400), shown(clMenu));
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

    // Labels keep their text laid out between paints: after the text, the
    // font or a right-aligned label's size changed, each must still paint
    // exactly what a plain QLabel with its settings and the design's colours
    // paints.
    void labelsPaintWhatAPlainLabelPaints() {
        GameWindow g;
        g.start();
        for (int i = 0; i < 12; ++i)
            g.typeNext();
        g.type('q'); // a miss, most likely: Label7 then counts it
        g.tick(61);
        g.onScreen();
        for (const char *name : {"Label1", "Label3", "Label4", "Label7", "Label12"}) {
            auto *label = g.find<QLabel>(name);
            const Control &control = g.form->model().at(g.form->model().id(name));
            QLabel plain(label->text());
            plain.setFont(label->font());
            QPalette colours = plain.palette();
            colours.setColor(QPalette::WindowText, toQColor(control.fontColor));
            if (control.color != clNone)
                colours.setColor(QPalette::Window, toQColor(control.color));
            plain.setPalette(colours);
            plain.setAutoFillBackground(control.color != clNone);
            plain.setAlignment(label->alignment());
            plain.setContentsMargins(0, 0, 0, 0);
            plain.resize(label->size());
            QCOMPARE(paintedOn(*label), paintedOn(plain));
        }
    }

    // The model sizes a label by the Mincho's cell widths; another font, or
    // the style's wider radio indicator, would cut text off.
    void everyTextFitsItsControl() {
        GameWindow g;
        g.random.next = {1}; // ATAMA, the longest word's bubble text aside
        g.start();
        for (QLabel *label : g.window->findChildren<QLabel *>())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
        for (const char *name : {"RadioButton1", "RadioButton2"}) {
            auto *radio = g.find<QRadioButton>(name);
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = radio->text();
            const int textLeft =
                radio->style()
                    ->subElementRect(QStyle::SE_RadioButtonContents, &option, radio)
                    .left();
            QVERIFY2(textLeft + radio->fontMetrics().horizontalAdvance(radio->text()) <=
                         radio->width(),
                     name);
        }
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::Painting)
#include "painting_test.moc"
