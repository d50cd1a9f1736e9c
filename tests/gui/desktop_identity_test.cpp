// What the desktop sees of the game: the icon of its windows and the menu
// entry they belong to.
#include "game_window.h"

#include <QApplication>
#include <QFileInfo>

namespace zem::test {

namespace {

QImage at32(const QIcon &icon) {
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage shippedIcon() {
    return QImage(QStringLiteral(ZEM_SOURCE_DIR "/data/typing-zem.png"))
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class DesktopIdentity : public QObject {
    Q_OBJECT

private slots:
    void theWindowShowsTheShippedIcon() {
        GameWindow g;
        const QIcon icon = g.window->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QCOMPARE(shippedIcon().size(), QSize(32, 32));
        QCOMPARE(at32(icon), shippedIcon());
        QCOMPARE(at32(g.window->windowHandle()->icon()), shippedIcon());
    }

    void theStartUpErrorBoxCarriesTheIconToo() {
        QIcon boxIcon;
        BoxCloser boxes;
        boxes.whileOpen = [&] { boxIcon = QApplication::activeModalWidget()->windowIcon(); };
        FakeClock clock;
        FixedRandom random;
        MemoryRecordFile missing; // reading fails
        TForm1 form(clock, random, missing);
        auto window = openFormWindow(form);
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(at32(boxIcon), shippedIcon());
    }

    void theWindowsBelongToTheInstalledMenuEntry() {
        GameWindow g;
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("typing-zem"));
        QVERIFY(QFileInfo::exists(QStringLiteral(ZEM_SOURCE_DIR "/data/") +
                                  QGuiApplication::desktopFileName() + ".desktop"));
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::DesktopIdentity)
#include "desktop_identity_test.moc"
