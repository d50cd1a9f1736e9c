// Records as the player meets them: a game that beats the best of its mode,
// the record file in a real folder, and the course selector.
#include "game_window.h"
#include "records/disk_record_file.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <map>

namespace zem::test {

namespace {

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// A save swaps in a new file, so an untouched file keeps its inode.
ino_t inodeOf(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool writeBytes(const QString &path, const std::string &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// START by mouse: a click on a mode button leaves the focus there, where
// Space would not press START.
void playCourse100In30Seconds(GameWindow &g) {
    g.click("Button1");
    g.tick(30);
    while (g.state().StrokeCount < 100 && g.windowFocused())
        g.typeNext();
}

// The course selector, the way a keyboard user reaches it: Tab from START
// past the checked mode button, then one step down the list.
void pickNextCourseByKeyboard(GameWindow &g) {
    g.key(Qt::Key_Tab);
    g.key(Qt::Key_Tab);
    QVERIFY(g.focused("ComboBox1"));
    g.key(Qt::Key_Down);
}

} // namespace

class RecordsOnScreen : public QObject {
    Q_OBJECT

private slots:
    void aFasterGameShowsTheNewBestAndRewritesTheFile_data() {
        QTest::addColumn<bool>("proverbs");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("otherLabel");
        QTest::newRow("words") << false << 0 << "Label12"
                               << "Label13";
        QTest::newRow("proverbs") << true << 20 << "Label13"
                                  << "Label12";
    }
    void aFasterGameShowsTheNewBestAndRewritesTheFile() {
        QFETCH(bool, proverbs);
        QFETCH(int, line);
        QFETCH(QString, label);
        QFETCH(QString, otherLabel);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hiscore.dat"));
        const std::map<int, std::string> before = {{0, "150"}, {20, "150"}, {1, "321.5"}};
        QVERIFY(writeBytes(path, recordFile(before)));
        DiskRecordFile records(path.toStdString());
        GameWindow g(records);
        QCOMPARE(g.text("Label12"), QStringLiteral("150打/分"));
        if (proverbs)
            g.click("RadioButton1");

        playCourse100In30Seconds(g);

        QCOMPARE(g.boxes.texts, QStringList());
        QCOMPARE(g.text("Label1"), QStringLiteral("記録更新だ!!"));
        QCOMPARE(g.text(qPrintable(label)), QStringLiteral("200打/分"));
        QCOMPARE(g.find(qPrintable(label))->geometry().right() + 1, 376); // right edge kept
        QCOMPARE(g.text(qPrintable(otherLabel)), QStringLiteral("150打/分"));
        std::map<int, std::string> after = before;
        after[line] = "200";
        QCOMPARE(bytesOf(path), QByteArray::fromStdString(recordFile(after)));
        // The save swapped in a whole new file and left nothing beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"hiscore.dat"});

        // The new best stays with its course when the player looks around.
        pickNextCourseByKeyboard(g);
        QCOMPARE(g.text("Label12"), QStringLiteral("321.5打/分"));
        g.key(Qt::Key_Up);
        QCOMPARE(g.text(qPrintable(label)), QStringLiteral("200打/分"));
    }

    void aSlowerGameLeavesTheFileAsItWas() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hiscore.dat"));
        QVERIFY(writeBytes(path, recordFile({{0, "200"}, {20, "900"}})));
        const ino_t inode = inodeOf(path);
        DiskRecordFile records(path.toStdString());
        GameWindow g(records);

        playCourse100In30Seconds(g); // exactly the stored 200: no record

        QCOMPARE(g.boxes.texts, QStringList());
        QCOMPARE(g.text("Label1"), QStringLiteral("100打だ!!"));
        QCOMPARE(g.text("Label12"), QStringLiteral("200打/分"));
        QCOMPARE(bytesOf(path), QByteArray::fromStdString(recordFile({{0, "200"}, {20, "900"}})));
        QCOMPARE(inodeOf(path), inode);
    }

    void pickingAnotherCourseShowsItsTwoBestsAtOnce() {
        GameWindow g(recordFile({{0, "150"}, {20, "99.5"}, {1, "321.5"}, {21, "88"}}));
        QCOMPARE(g.text("Label12"), QStringLiteral("150打/分"));
        QCOMPARE(g.text("Label13"), QStringLiteral("99.5打/分"));

        pickNextCourseByKeyboard(g);

        QCOMPARE(g.text("Label8"), QStringLiteral("200打コース"));
        QCOMPARE(g.text("Label12"), QStringLiteral("321.5打/分"));
        QCOMPARE(g.text("Label13"), QStringLiteral("88打/分"));
        // Both stay right-aligned on the record box's edge, whatever their
        // new width.
        QCOMPARE(g.find("Label12")->geometry().right() + 1, 376);
        QCOMPARE(g.find("Label13")->geometry().right() + 1, 376);
        g.screenshot("records_course200");
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::RecordsOnScreen)
#include "records_on_screen_test.moc"
