// The reading line in the game window, turned on by the settings file.
#include "game_window.h"

#include "app/player_choices.h"
#include "app/qt/settings_file.h"
#include "game/phrase_table.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>

namespace zem::test {

namespace {

// Where a label's text puts ink, drawn as the label draws it but unclipped.
QRect inkOf(const QLabel *label) {
    const QSize size = label->size();
    QImage image(size * 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(label->font());
    painter.drawText(QPointF(size.width(), size.height() + QFontMetricsF(label->font()).ascent()),
                     label->text());
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x - size.width(), y - size.height(), 1, 1);
    return ink;
}

// Each line whole in its label; the bubble's text over the reading inside the
// bubble and before its tail, the romaji line under the bubble.
void expectFits(GameWindow &g) {
    for (const char *name : {"Label2", "ReadingLine", "Label1"}) {
        const auto *label = g.find<QLabel>(name);
        QVERIFY2(label->isVisible() && label->rect().contains(inkOf(label)), name);
    }
    const QRect bubble = g.find("Shape1")->geometry();
    const QRect display = g.find("Label2")->geometry(), reading = g.find("ReadingLine")->geometry();
    QVERIFY(bubble.contains(display) && bubble.contains(reading));
    QCOMPARE_LT(display.bottom(), reading.top());
    QCOMPARE_LT(std::max(display.right(), reading.right()), g.find("Shape4")->x());
    QCOMPARE_LT(bubble.bottom(), g.find("Label1")->y());
}

// The darkest pixel of the first `typed` kana is light grey, the next kana
// sits on yellow, the rest is black.
void expectTyped(GameWindow &g, int typed) {
    auto *line = g.find<QLabel>("ReadingLine");
    const QImage image = line->grab().toImage();
    const int em = line->font().pixelSize();
    const auto darkest = [&](int from, int to) {
        int d = 255;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < image.height(); ++y)
                d = std::min(d, qGray(image.pixel(x, y)));
        return d;
    };
    QCOMPARE_GE(darkest(0, typed * em), 0xA0);
    QCOMPARE(image.pixelColor(typed * em + 1, 1), QColor(Qt::yellow));
    QCOMPARE_LT(darkest((typed + 1) * em, image.width()), 0x40);
}

} // namespace

class ReadingLineTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheLongestTextsWholeAndGreysWhatIsTyped() {
        QTemporaryDir dir;
        const QString conf = dir.filePath(QStringLiteral("zem.conf")),
                      list = dir.filePath(QStringLiteral("長い.txt"));
        QFile file(conf), phrases(list);
        QVERIFY(file.open(QIODevice::WriteOnly) && phrases.open(QIODevice::WriteOnly));
        file.write("[view]\nreading=true\n");
        // The longest a list allows: 24 characters over 40 kana.
        phrases.write(QStringLiteral("漢").repeated(24).toUtf8() + "\t" +
                      QStringLiteral("あいうえお").repeated(8).toUtf8() + "\n");
        file.close(), phrases.close();
        GameWindow g;
        SettingsFile settings(conf);
        PlayerChoices choices(*g.form, settings, {});
        QCOMPARE(QString::fromStdString(choices.start({}, {}).message), QString());

        g.click("RadioButton1");
        std::pair<std::size_t, int> longest;
        for (int row = 0; row < kPhraseCount; ++row) {
            g.random.next = {row};
            g.click("Button1");
            expectFits(g);
            if (QTest::currentTestFailed())
                QFAIL(PhraseTable[row].proverbDisplay);
            longest = std::max(longest, {g.text("ReadingLine").size(), row});
            g.key(Qt::Key_Escape);
        }
        g.random.next = {longest.second};
        g.click("Button1");
        expectTyped(g, 0);
        while (g.form->model().at(g.form->ReadingLine).greyedBytes < 6) // two kana
            g.typeNext();
        expectTyped(g, 2);
        QCOMPARE(g.find("ReadingLine")->accessibleName(), g.text("ReadingLine"));
        g.screenshot("reading_line");
        g.key(Qt::Key_Escape);

        QCOMPARE(QString::fromStdString(choices.openList(list.toStdString(), false)), QString());
        g.click("Button1");
        g.typeNext();
        expectFits(g);
        expectTyped(g, 1);
        QCOMPARE_LT(g.find("Label1")->geometry().right(), g.find("Shape2")->x());
        g.screenshot("reading_line_list");
        g.key(Qt::Key_Escape);

        choices.setShowReading(false);
        QVERIFY(!readSettings(conf).reading);
        g.click("Button1");
        QVERIFY(g.find("ReadingLine")->isHidden());
        QCOMPARE(g.find("Shape1")->height(), 33);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::ReadingLineTest)
#include "reading_line_test.moc"
