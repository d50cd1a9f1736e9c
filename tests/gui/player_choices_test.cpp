// The player's choices in the game window: the settings file, a phrase list
// and the spelling option, as the program wires them.
#include "game_window.h"

#include "app/player_choices.h"
#include "app/qt/settings_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>

namespace zem::test {

namespace {

using Spellings = std::map<QString, QString>;

Spellings spellingsOf(const PlayerSettings &s) {
    Spellings out;
    for (const auto &[kana, keys] : s.lastSpellings)
        out[QString::fromStdString(kana)] = QString::fromStdString(keys);
    return out;
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", name);
    return path;
}

// The width the label's own font gives its text, which the model only
// estimated from character counts.
int paintedWidth(GameWindow &g, const char *label) {
    auto *w = g.find<QLabel>(label);
    return QFontMetrics(w->font()).horizontalAdvance(w->text());
}

// The idle menu's action of that name, the menu opened as a right click does.
QAction *menuAction(GameWindow &g, const char *text) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, 100),
                            g.window->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(g.window.get(), &click);
    auto *menu = g.window->findChild<QMenu *>(QStringLiteral("FormMenu"));
    menu->close();
    for (QAction *action : menu->actions())
        if (action->text() == QString::fromUtf8(text))
            return action;
    qFatal("no menu item %s", text);
}

} // namespace

class PlayerChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void settingsFileKeepsWhatItCanAndDropsNonsense_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: what writeSettings writes of the result
        QTest::addColumn<bool>("any");
        QTest::addColumn<QString>("list");
        QTest::addColumn<Spellings>("spellings");
        QTest::addColumn<bool>("fingers");
        QTest::addColumn<bool>("asked");
        QTest::newRow("every field round trip")
            << QByteArray() << true << QStringLiteral("/home/先生/今週 の ことば.txt")
            << Spellings{{"し", "SHI"}, {"っ", ""}, {"ん", "N"}, {"きゅ", "KIXYU"}} << true << true;
        QTest::newRow("the defaults round trip")
            << QByteArray() << false << QString() << Spellings{} << false << false;
        QTest::newRow("an unknown rule")
            << QByteArray("[romaji]\nspelling=maybe\nasked=1\n[lists]\nlast=/a.txt\n[view]\n"
                          "fingers=yes\n")
            << false << QStringLiteral("/a.txt") << Spellings{} << false << false;
        QTest::newRow("spellings no key could type")
            << QByteArray("[spellings]\n%U3057=shi\n%U3064=TSU\n%U3093=N N\n%U3042=AAAAAAAAAA\n")
            << false << QString() << Spellings{{"つ", "TSU"}} << false << false;
        QTest::newRow("no text at all") << QByteArray("\x00\xff\xfe[romaji\x00spelling=any", 28)
                                        << false << QString() << Spellings{} << false << false;
    }
    void settingsFileKeepsWhatItCanAndDropsNonsense() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, any);
        QFETCH(QString, list);
        QFETCH(Spellings, spellings);
        QFETCH(bool, fingers);
        QFETCH(bool, asked);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("typing-zem/typing-zem.conf"));
        if (bytes.isEmpty()) {
            PlayerSettings s;
            s.spelling = any ? SpellingRule::Any : SpellingRule::Table;
            s.lastList = list.toStdString();
            s.fingers = fingers;
            s.spellingAsked = asked;
            for (const auto &[kana, keys] : spellings)
                s.lastSpellings[kana.toStdString()] = keys.toStdString();
            QVERIFY(writeSettings(path, s));
        } else {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("typing-zem")));
            writeFile(dir, "typing-zem/typing-zem.conf", bytes);
        }
        const PlayerSettings read = readSettings(path);
        QCOMPARE(read.spelling == SpellingRule::Any, any);
        QCOMPARE(QString::fromStdString(read.lastList), list);
        QCOMPARE(spellingsOf(read), spellings);
        QCOMPARE(read.fingers, fingers);
        QCOMPARE(read.spellingAsked, asked);
    }

    void aLoadedListIsShownWholeAndNamedInTheTitle() {
        QTemporaryDir dir;
        const QByteArray display = QStringLiteral("漢").repeated(24).toUtf8();
        const QString listPath = writeFile(
            dir, "長い問題.txt", display + "\tかきくけこさしすせそたちつてとなにぬねの\n");
        GameWindow g;
        SettingsFile settings(dir.filePath(QStringLiteral("zem.conf")));
        PlayerChoices choices(*g.form, settings, {});
        QCOMPARE(QString::fromStdString(choices.openList(listPath.toStdString(), true)), QString());
        g.window->setChoices(&choices);
        QCOMPARE(g.window->windowTitle(), QStringLiteral("タイピングZemVer3.0 — 長い問題"));
        QVERIFY(!g.find<QRadioButton>("RadioButton1")->isEnabled());
        QVERIFY(g.focused("Button1"));

        g.start();
        QCOMPARE(g.text("Label1"), QStringLiteral("KAKIKUKEKOSASISUSESOTATITUTETONANINUNENO"));
        QCOMPARE(g.text("Label2").toUtf8(), display);
        // Whole, and clear of the bubble's tail, which lies above both lines.
        auto *romaji = g.find<QLabel>("Label1");
        auto *bubbleText = g.find<QLabel>("Label2");
        QVERIFY(paintedWidth(g, "Label1") <= romaji->width());
        QVERIFY(paintedWidth(g, "Label2") <= bubbleText->width());
        QCOMPARE_LE(romaji->x() + romaji->width(), g.find("Shape2")->x());
        QCOMPARE_LE(bubbleText->x() + bubbleText->width(), g.find("Shape4")->x());
        g.screenshot("list_long_phrase");

        g.key(Qt::Key_Escape);
        QCOMPARE(
            QString::fromStdString(readSettings(dir.filePath(QStringLiteral("zem.conf"))).lastList),
            QFileInfo(listPath).absoluteFilePath());
        QAction *table = menuAction(g, "組み込みの問題に戻す");
        QVERIFY(table->isEnabled());
        table->trigger();
        QVERIFY(!menuAction(g, "組み込みの問題に戻す")->isEnabled());
        QCOMPARE(g.window->windowTitle(), QStringLiteral("タイピングZemVer3.0"));
        QVERIFY(g.find<QRadioButton>("RadioButton1")->isEnabled());

        QAction *any = menuAction(g, "ほかの綴りも正解にする");
        QVERIFY(!any->isChecked());
        any->trigger();
        QCOMPARE(readSettings(dir.filePath(QStringLiteral("zem.conf"))).spelling,
                 SpellingRule::Any);
        QVERIFY(menuAction(g, "ほかの綴りも正解にする")->isChecked());
    }

    // Started with --spelling=any over a file that says table: the run
    // follows the player's spelling; the file keeps its rule, and the
    // spellings typed under a rule of one run are not kept either.
    void theRomajiLineFollowsTheSpellingBeingTyped() {
        QTemporaryDir dir;
        const QString listPath = writeFile(dir, "しお.txt", "塩\tしお\n");
        const QString conf = dir.filePath(QStringLiteral("zem.conf"));
        GameWindow g;
        SettingsFile settings(conf);
        PlayerChoices choices(*g.form, settings, {});
        QCOMPARE(QString::fromStdString(choices.start("any", listPath.toStdString()).message),
                 QString());
        g.window->setChoices(&choices);
        g.start();
        g.tick();
        QCOMPARE(g.text("Label1"), QStringLiteral("SIO"));
        g.type('s');
        g.type('h');
        QCOMPARE(g.text("Label1"), QStringLiteral("IO"));
        QCOMPARE(g.form->model().color(g.form->model().id("Panel8")), clYellow);
        QCOMPARE(g.state().MissCount, 0);
        g.screenshot("spelling_follows_shi");

        g.type('i');
        g.type('o');
        // The next phrase, in the spelling used.
        QCOMPARE(g.text("Label1"), QStringLiteral("SHIO"));
        g.key(Qt::Key_Escape);
        const PlayerSettings kept = readSettings(conf);
        QCOMPARE(kept.spelling, SpellingRule::Table);
        QVERIFY(spellingsOf(kept).empty());
        QVERIFY(kept.lastList.empty());
    }

    // Asked once ever: after a game under the table's spelling in which two
    // keys were refused that an input method takes, not for one such key,
    // nor under the other spellings, nor after the answer.
    void theOtherSpellingsAreOfferedOnceAfterTwoRefusals_data() {
        QTest::addColumn<bool>("take");
        QTest::newRow("正解にする") << true;
        QTest::newRow("このまま") << false;
    }
    void theOtherSpellingsAreOfferedOnceAfterTwoRefusals() {
        QFETCH(bool, take);
        QTemporaryDir dir;
        const QString listPath = writeFile(dir, "しつ.txt", "室\tしつ\n");
        const QString conf = dir.filePath(QStringLiteral("zem.conf"));
        GameWindow g;
        SettingsFile settings(conf);
        PlayerChoices choices(*g.form, settings, {});
        QCOMPARE(QString::fromStdString(choices.start({}, listPath.toStdString()).message),
                 QString());
        g.window->setChoices(&choices);
        QStringList buttons;
        g.boxes.whileOpen = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            if (take)
                box->buttons().front()->click();
        };
        const auto play = [&](const char *keys) {
            g.start();
            for (const char *k = keys; *k; ++k)
                g.type(*k);
            g.key(Qt::Key_Escape);
            QCoreApplication::processEvents(); // the box comes once the game's last event is done
        };

        choices.setAnySpelling(true);
        play("shiqqtsu");
        choices.setAnySpelling(false);
        play("shiqtu"); // one SH
        QVERIFY(g.boxes.texts.isEmpty());
        QVERIFY(!readSettings(conf).spellingAsked);

        play("shitsu");
        QCOMPARE(g.boxes.texts, QStringList{QStringLiteral("SHI のような綴りも正解にしますか?")});
        QCOMPARE(g.boxes.icon, QMessageBox::Information);
        QCOMPARE(buttons, (QStringList{QStringLiteral("正解にする"), QStringLiteral("このまま")}));
        QVERIFY(readSettings(conf).spellingAsked);
        QCOMPARE(readSettings(conf).spelling, take ? SpellingRule::Any : SpellingRule::Table);
        QVERIFY(g.focused("Button1"));

        choices.setAnySpelling(false);
        play("shitsu");
        QCOMPARE(g.boxes.texts.size(), 1);
    }

    // 設定 keeps the reading line and the finger guide; a step of ステップ練習
    // shows both whatever they say, and its result line says how it went.
    void theSettingsMenuAndAStepFromTheMenuBar() {
        QTemporaryDir dir;
        const QString conf = dir.filePath(QStringLiteral("zem.conf"));
        GameWindow g;
        SettingsFile settings(conf);
        PlayerChoices choices(*g.form, settings, {}, ZEM_SOURCE_DIR "/data/lessons");
        g.window->setChoices(&choices);
        auto *menu = g.find<QMenu>("SettingsMenu");
        QStringList items;
        for (QAction *a : menu->actions())
            items << a->text() + (a->isChecked() ? QStringLiteral(" ✓") : QString());
        QCOMPARE(items,
                 QStringList({QStringLiteral("ほかの綴りも正解にする"),
                              QStringLiteral("よみがなを表示"), QStringLiteral("指の案内")}));
        menu->actions()[1]->trigger();
        QVERIFY(readSettings(conf).reading && !readSettings(conf).fingers);

        auto *lessons = g.find<QMenu>("LessonsMenu");
        emit lessons->aboutToShow();
        QCOMPARE(lessons->actions()[0]->text(), QStringLiteral("ステップ1 ホームポジション　← 次はここ"));
        QAction *step = lessons->actions()[2];
        QCOMPARE(step->text(), QStringLiteral("ステップ3 か行"));
        step->trigger();
        QVERIFY(g.form->inGame());
        QCOMPARE(g.window->windowTitle(), QStringLiteral("タイピングZemVer3.0 — ステップ3 か行"));
        QVERIFY(g.find("ReadingLine")->isVisible() && g.find("FingerLabel")->isVisible());
        g.screenshot("lesson_step");
        g.tick(60);
        while (g.form->inGame())
            g.typeNext();
        QCOMPARE(g.text("Label1"), QStringLiteral("合格")); // 100 a minute, no miss
        QVERIFY2(!g.find("FingerLabel")->isVisible(), "the guide is off in the settings");
        QCOMPARE(g.file.writes, 0);
    }

    // 文章で練習: a text opens at its start with its reading shown, is typed in
    // order, and the next run goes on at the phrase the player stopped on; a
    // file changed since starts over.
    void aTextGoesOnWhereThePlayerStopped() {
        QTemporaryDir dir;
        const QString conf = dir.filePath(QStringLiteral("zem.conf"));
        const QString copy = dir.filePath(QStringLiteral("本.txt"));
        QVERIFY(QFile::copy(QStringLiteral(ZEM_SOURCE_DIR "/data/texts/指が覚えるまで.txt"), copy));
        const QString start = QStringLiteral("タイピングZemVer3.0 — 指が覚えるまで 0%");
        std::string firstPhrase, fourthPhrase;
        QString stoppedAt;
        for (int run = 0; run < 3; ++run) {
            if (run == 2) { // the file changes: its place no longer holds
                QFile file(copy);
                QVERIFY(file.open(QIODevice::Append));
                file.write("\n終わり。\n");
            }
            GameWindow g;
            SettingsFile settings(conf);
            PlayerChoices choices(*g.form, settings, {}, {}, {});
            choices.start({}, {});
            g.window->setChoices(&choices);
            g.window->openText(copy.toStdString());
            QTRY_VERIFY(g.form->sources().text() != nullptr);
            QCOMPARE(g.window->windowTitle(), run == 1 ? stoppedAt : start);
            g.start();
            QVERIFY(g.find("ReadingLine")->isVisible());
            if (run == 0) {
                firstPhrase = g.state().TargetDisplay;
                g.screenshot("text_game");
                for (int phrase = 0; phrase < 3; ++phrase) {
                    const std::string shown = g.state().TargetDisplay;
                    while (g.state().TargetDisplay == shown)
                        g.typeNext();
                }
                fourthPhrase = g.state().TargetDisplay;
                g.typeNext(); // begun, not finished
            } else {
                QCOMPARE(g.state().TargetDisplay, run == 1 ? fourthPhrase : firstPhrase);
            }
            g.key(Qt::Key_Escape);
            stoppedAt = g.window->windowTitle();
            if (run == 0)
                QVERIFY2(stoppedAt != start && stoppedAt.endsWith(QLatin1Char('%')),
                         qPrintable(stoppedAt));
            QCOMPARE(g.file.writes, 0);
        }
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::PlayerChoicesTest)
#include "player_choices_test.moc"
