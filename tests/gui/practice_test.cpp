// 苦手練習 beside the 成績 window: the kana it names, the lists it offers,
// what practice changed, and the game it starts.
#include "app/qt/design_look.h"
#include "app/qt/history_window.h"
#include "app/qt/key_heat_map.h"
#include "core/temp_dir.h"
#include "game_window.h"
#include "history/history_store.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace zem::test {

namespace {

// Tokyo, 2026-12-01 00:00.
constexpr std::int64_t kFirstMidnight = 1'796'050'800;

// `before` word games in which each of `weak` is missed one time in five,
// then a practice game and one more in which they are missed less, and a
// game of a list.
void makeKanaHistory(const std::string &path, int before = 5,
                     const std::vector<std::string> &weak = {"し"}) {
    HistoryStore store(path, HistoryStore::Role::Writer, HistoryStore::Durability::Relaxed);
    auto game = [&](int siHits, int siMisses, bool practice, std::string list) {
        GameRecord g;
        g.finishedAt = {kFirstMidnight + std::int64_t(store.totalsOfAll().games) * 600, 9 * 3600};
        g.strokes = 100;
        g.misses = siMisses;
        g.seconds = 30;
        g.completed = true;
        g.speed = "200";
        g.practice = practice;
        g.list = std::move(list);
        g.keys = {{'S', siHits, siMisses}, {'I', siHits, 0}, {'K', 50, 0}};
        g.kana = {{"か", 50, 0}};
        for (const std::string &kana : weak)
            g.kana.push_back({kana, siHits, siMisses});
        std::string why;
        if (!store.add(g, &why))
            qFatal("the history could not be made: %s", why.c_str());
    };
    for (int i = 0; i < before; ++i)
        game(40, 10, false, "");
    game(30, 10, true, "");
    game(45, 5, false, "");
    game(50, 0, false, "都道府県");
}

QMenu *openMenu() {
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

} // namespace

class PracticeTest : public QObject {
    Q_OBJECT

private slots:
    // By kana with the table's letters, the lists beside the modes, the miss
    // rate before and since practice; alone, the window offers no practice,
    // beside the game its button starts one on the weak kana.
    void showsTheKanaMissedTheListsAndWhatPracticeChanged() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        makeKanaHistory(path);
        useDesignStyle();
        HistoryWindow window(path, nullptr);
        window.showFor(GameMode::Word, 100);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!window.busy());
        QDir().mkpath(QStringLiteral(ZEM_SCREENSHOT_DIR));
        window.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_kana.png"));

        const QString spots = window.findChild<QLabel *>("HistorySyllables")->accessibleName();
        QVERIFY2(spots.contains(QStringLiteral("し si 65回")), qPrintable(spots));
        QVERIFY2(!spots.contains(QStringLiteral("か")), qPrintable(spots));
        auto *progress = window.findChild<QLabel *>("HistoryProgress");
        QVERIFY(progress->isVisible());
        QVERIFY2(progress->accessibleName().contains(QStringLiteral("し si 20.0% → 16.7%")),
                 qPrintable(progress->accessibleName()));
        QVERIFY(!window.findChild<QPushButton *>("HistoryPractice")->isVisible());

        auto *sources = window.findChild<QComboBox *>("HistorySource");
        QCOMPARE(sources->count(), 3);
        QCOMPARE(sources->itemText(2), QStringLiteral("都道府県"));
        QTest::keyClick(sources, Qt::Key_End);
        QTRY_VERIFY(!window.busy());
        QCOMPARE(window.source(), HistorySource::ofList("都道府県"));
        QCOMPARE(window.findChild<QLabel *>("HistoryGames")->text(), QStringLiteral("ゲーム 1回"));
        QVERIFY(!progress->isVisible());

        GameWindow g;
        g.window->setHistory(path, nullptr);
        QTRY_VERIFY(g.form->practiceOffer().can);
        g.key(Qt::Key_Menu);
        QTest::keyClick(openMenu(), Qt::Key_Down);
        QTest::keyClick(openMenu(), Qt::Key_Return);
        auto *beside = g.window->findChild<HistoryWindow *>();
        QTRY_VERIFY(beside && !beside->busy());
        auto *practise = beside->findChild<QPushButton *>("HistoryPractice");
        QVERIFY(practise->isVisible() && practise->isEnabled());
        QCOMPARE(practise->toolTip(), QStringLiteral("苦手な仮名: し"));
        beside->grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_practice.png"));
        practise->click();
        QVERIFY(g.form->inGame() && g.form->practiceGame());
        QVERIFY2(g.window->windowTitle().endsWith(QStringLiteral("苦手練習: し")),
                 qPrintable(g.window->windowTitle()));
        QVERIFY(!practise->isEnabled());
        g.tick(20);
        while (g.form->inGame())
            g.typeNext();
        g.screenshot("practice_result");
        QCOMPARE(g.text("Label1"), QStringLiteral("練習は記録なし"));
        QVERIFY(g.find("Label1")->geometry().right() < g.find("Panel32")->geometry().left());
        QVERIFY(!g.window->windowTitle().contains(QStringLiteral("苦手練習")));
        QCOMPARE(g.file.writes, 0);
    }

    // The rows of what practice changed grow beside the key map, not into it.
    void theKeyMapKeepsItsCaptionWhateverTheListsBesideHold() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        makeKanaHistory(path, 5, {"し", "つ", "ち", "ふ", "じ"});
        useDesignStyle();
        HistoryWindow window(path, nullptr);
        window.showFor(GameMode::Word, 100);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!window.busy());
        auto *progress = window.findChild<QWidget *>("HistoryProgress");
        auto *map = window.findChild<KeyHeatMap *>();
        auto *caption = window.findChild<QLabel *>("HistoryKeysCaption");
        // Every row shows, reaching below the map...
        QTRY_COMPARE(progress->height(), progress->sizeHint().height());
        window.grab().save(QStringLiteral(ZEM_SCREENSHOT_DIR "/history_window_progress.png"));
        QVERIFY(progress->mapTo(&window, QPoint(0, progress->height())).y() >
                map->y() + map->height());
        // ...and the caption stays its own height, right above the map.
        QCOMPARE(caption->height(), caption->sizeHint().height());
        QCOMPARE_LE(map->y() - caption->geometry().bottom(), 8);
    }

    // A game that ends may be the one that makes the history thick enough.
    // Until then typing-zem --practice says why not, as a notice.
    void readsTheWeakSpotsAgainAfterEachGame() {
        TempDir dir;
        const std::string path = dir / "history.sqlite3";
        makeKanaHistory(path, 0);
        GameWindow g;
        g.window->setHistory(path, nullptr);
        QTRY_VERIFY(QString::fromStdString(g.form->practiceOffer().why)
                        .contains(QStringLiteral("いまは215打")));
        g.window->dispatch([&] { g.form->practiceWhenRead(); });
        QCOMPARE(g.boxes.texts, QStringList{QStringLiteral(
                                    "苦手練習には300打以上の記録が要ります（いまは215打）。")});
        QCOMPARE(g.boxes.icon, QMessageBox::Information);
        makeKanaHistory(path); // as another copy of the game would keep them
        g.start();
        g.typeNext();
        g.key(Qt::Key_Escape);
        QTRY_VERIFY(g.form->practiceOffer().can);
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::PracticeTest)
#include "practice_test.moc"
