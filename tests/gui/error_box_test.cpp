// Failed steps end in the error box, and the program goes on.
#include "game_window.h"
#include "model/clock.h"
#include "model/random.h"
#include "records/disk_record_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>

namespace zem::test {

namespace {

bool gameWindowOnScreen() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Form1") && w->isVisible())
            return true;
    return false;
}

void saveActiveBox(const char *name) {
    if (QWidget *box = QApplication::activeModalWidget()) {
        QDir().mkpath(QStringLiteral(ZEM_SCREENSHOT_DIR));
        box->grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/") + name + ".png");
    }
}

} // namespace

class ErrorBoxes : public QObject {
    Q_OBJECT

private slots:
    void aCourseTypedInsideTheFirstSecondReportsTheDivisionAndPlayGoesOn() {
        GameWindow g;
        g.boxes.whileOpen = [] { saveActiveBox("error_box"); };
        g.start();
        while (g.state().StrokeCount < 100)
            g.typeNext();
        QCOMPARE(g.boxes.texts, QStringList{QStringLiteral("0 による浮動小数点数除算.")});
        QCOMPARE(g.boxes.icon, QMessageBox::Critical);
        QCOMPARE(g.boxes.title, QStringLiteral("タイピングZemVer3.0"));
        // The stroke itself counted and shows; the result never came.
        QCOMPARE(g.text("Label3"), QStringLiteral("100打"));
        QCOMPARE(g.find<QProgressBar>("ProgressBar1")->value(), 100);
        QVERIFY(g.find("Shape1")->isVisible());
        QVERIFY(!g.find("Button1")->isVisible());
        QVERIFY(g.windowFocused());
        g.typeNext();
        QCOMPARE(g.text("Label3"), QStringLiteral("101打"));
        QCOMPARE(g.boxes.texts.size(), 1);
    }

    // A record line that is no number is quoted whole and as it stands.
    void aBrokenRecordLineIsQuotedWholeAsPlainText_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("shown");
        QTest::newRow("markup") << QByteArray("<b>9</b>") << QStringLiteral("<b>9</b>");
        QTest::newRow("NUL inside") << QByteArray("8\0 5", 4) << QStringLiteral("8\uFFFD 5");
    }
    void aBrokenRecordLineIsQuotedWholeAsPlainText() {
        QFETCH(QByteArray, line);
        QFETCH(QString, shown);
        GameWindow g(recordFile({{0, line.toStdString()}}));
        Qt::TextFormat format = Qt::AutoText;
        g.boxes.whileOpen = [&] {
            format = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())->textFormat();
        };
        g.start();
        g.tick(30);
        while (g.state().StrokeCount < 100)
            g.typeNext();
        QCOMPARE(g.boxes.texts,
                 QStringList{"'" + shown + QStringLiteral("' は浮動小数点数ではありません.")});
        QCOMPARE(format, Qt::PlainText);
    }

    void startingWithoutTheRecordFileReportsItBeforeTheWindowOpens() {
        QTemporaryDir empty;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(empty.path()));
        BoxCloser boxes;
        bool windowDuringBox = true;
        boxes.whileOpen = [&] { windowDuringBox = gameWindowOnScreen(); };

        SystemClock clock;
        MersenneRandom random;
        DiskRecordFile records("hiscore.dat");
        TForm1 form(clock, random, records);
        auto window = openFormWindow(form);

        QCOMPARE(boxes.texts, QStringList{QStringLiteral("ファイル hiscore.dat は開けません.")});
        QCOMPARE(boxes.icon, QMessageBox::Critical);
        QVERIFY(!windowDuringBox);
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QVERIFY(window->isVisible());
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("Button1"));
        QCOMPARE(window->findChild<QLabel *>("Label12")->text(), QStringLiteral("0打/分"));
        QCOMPARE(window->findChild<QLabel *>("Label13")->text(), QStringLiteral("0打/分"));
        QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        QVERIFY(window->findChild<QWidget *>("Panel32")->isVisible());
        QVERIFY(!QFile::exists(QStringLiteral("hiscore.dat")));
        QDir::setCurrent(before);
    }

    // Qt's own words read in Japanese whatever the locale (CTest runs this
    // under C.UTF-8): the boxes' buttons and the file dialog's fields.
    void qtsOwnTextsAreJapanese() {
        GameWindow g;
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"),
                 QStringLiteral("ファイル名(&N):"));
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::ErrorBoxes)
#include "error_box_test.moc"
