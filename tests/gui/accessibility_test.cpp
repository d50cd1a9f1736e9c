// The window as a screen reader reads it, through Qt's accessibility
// interfaces.
#include "game_window.h"

#include <QAccessible>

#include <set>

namespace zem::test {

namespace {

QAccessibleInterface *readerOf(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(GameWindow &g, const char *control) {
    return readerOf(g.find(control))->text(QAccessible::Name);
}

QString stateOf(GameWindow &g, const char *key) {
    return readerOf(g.find(key))->text(QAccessible::Description);
}

QString keyPanel(int n) {
    return QStringLiteral("Panel%1").arg(n);
}

} // namespace

class Accessibility : public QObject {
    Q_OBJECT

private slots:
    // The window holds the menu bar and the client area; the client area
    // every control a reader should visit, and no decoration.
    void theWindowListsEveryControlButNotTheDecoration() {
        GameWindow g;
        QAccessibleInterface *window = readerOf(g.window.get());
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("タイピングZemVer3.0"));
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->childCount(), 2);
        QCOMPARE(window->child(0)->role(), QAccessible::MenuBar);
        QAccessibleInterface *client = window->child(1);
        QCOMPARE(client->object(), g.window->clientArea());
        QCOMPARE(client->parent()->object(), g.window.get());

        std::set<QString> listed;
        for (int i = 0; i < client->childCount(); ++i) {
            QAccessibleInterface *child = client->child(i);
            QCOMPARE(client->indexOfChild(child), i);
            QCOMPARE(child->parent()->object(), g.window->clientArea());
            listed.insert(child->object()->objectName());
        }
        const std::set<QString> decoration = {"Shape1", "Shape2",  "Shape3", "Shape4",
                                              "Bevel1", "Bevel2",  "Bevel3", "Bevel4",
                                              "Bevel5", "Panel31", "Panel32"};
        std::set<QString> expected;
        for (QObject *o : g.window->clientArea()->children())
            if (o->isWidgetType() && !decoration.count(o->objectName()))
                expected.insert(o->objectName());
        QVERIFY(expected.count(QStringLiteral("Panel1")) && expected.count("Label1"));
        QVERIFY(listed == expected);
    }

    // The menu bar reads as its menus, and each menu as its items.
    void theMenuBarReadsAsItsMenus() {
        GameWindow g;
        QAccessibleInterface *bar = readerOf(g.window.get())->child(0);
        QStringList menus;
        for (int i = 0; i < bar->childCount(); ++i)
            menus << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(menus, QStringList({QStringLiteral("ゲーム(G)"), QStringLiteral("ヘルプ(H)")}));
    }

    void eachControlReadsAsItsCaption() {
        GameWindow g(recordFile({{0, "123.5"}}));
        QCOMPARE(nameOf(g, "Label1"), QStringLiteral("タイピングZem"));
        QCOMPARE(nameOf(g, "Label6"), QStringLiteral("MISS"));
        QCOMPARE(nameOf(g, "Label12"), QStringLiteral("123.5打/分"));
        QCOMPARE(nameOf(g, "Button1"), QStringLiteral("START"));
        QCOMPARE(nameOf(g, "RadioButton2"), QStringLiteral("単語"));
        QCOMPARE(nameOf(g, "RadioButton1"), QStringLiteral("ことわざ"));
        QCOMPARE(nameOf(g, "groupbox1"), QStringLiteral("出題モード"));
        QCOMPARE(nameOf(g, "ProgressBar1"), QStringLiteral("進行状況"));
        // The course selector reads as its value, and is labelled by the
        // course label: "100打コース".
        QAccessibleInterface *course = readerOf(g.find("ComboBox1"));
        QCOMPARE(course->text(QAccessible::Value), QStringLiteral("100"));
        const auto labels = course->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("100打コース"));

        const QString letters = QStringLiteral("QWERTYUIOPASDFGHJKL;ZXCVBNM,./");
        for (int n = 1; n <= 30; ++n) {
            QAccessibleInterface *key = readerOf(g.find(qPrintable(keyPanel(n))));
            QCOMPARE(key->text(QAccessible::Name), letters.mid(n - 1, 1));
            QCOMPARE(key->text(QAccessible::Description), QString());
            QCOMPARE(key->role(), QAccessible::StaticText);
        }
    }

    void theKeysTellTheNextKeyAndTheMissedOne() {
        GameWindow g;
        g.random.next = {3}; // UMA
        g.start();
        QCOMPARE(stateOf(g, "Panel7"), QStringLiteral("次のキー")); // U
        QCOMPARE(stateOf(g, "Panel1"), QString());
        g.type('q');
        QCOMPARE(stateOf(g, "Panel1"), QStringLiteral("ミスしたキー"));
        QCOMPARE(stateOf(g, "Panel7"), QStringLiteral("次のキー"));
        // The mascot's red eyes are no key.
        QCOMPARE(
            readerOf(g.window->widgetOf(g.form->model().id("Panel38")))->text(QAccessible::Name),
            QString());
        g.type('u');
        QCOMPARE(stateOf(g, "Panel1"), QString());
        QCOMPARE(stateOf(g, "Panel7"), QString());
        QCOMPARE(stateOf(g, "Panel27"), QStringLiteral("次のキー")); // M
        int marked = 0;
        for (int n = 1; n <= 30; ++n)
            marked += !stateOf(g, qPrintable(keyPanel(n))).isEmpty();
        QCOMPARE(marked, 1);
    }

    void aKeyNamesItsFingerWhileTheFingerGuideIsOn() {
        GameWindow g;
        g.window->dispatch([&] { g.form->setFingerGuide(true); });
        QCOMPARE(nameOf(g, "Panel7"), QStringLiteral("U 右手 人差し指"));
        g.window->dispatch([&] { g.form->setFingerGuide(false); });
        QCOMPARE(nameOf(g, "Panel7"), QStringLiteral("U"));
    }

    void labelsReadWhatTheyShowNow() {
        GameWindow g(recordFile({{1, "321.5"}}));
        g.random.next = {3};
        g.start();
        QCOMPARE(nameOf(g, "Label1"), QStringLiteral("UMA"));
        g.type('u');
        g.type('x');
        QCOMPARE(nameOf(g, "Label1"), QStringLiteral("MA"));
        QCOMPARE(nameOf(g, "Label3"), QStringLiteral("1打"));
        QCOMPARE(nameOf(g, "Label7"), QStringLiteral("1打"));

        g.key(Qt::Key_Escape);
        g.key(Qt::Key_Tab);
        g.key(Qt::Key_Tab);
        QVERIFY(g.focused("ComboBox1"));
        g.key(Qt::Key_Down);
        QAccessibleInterface *course = readerOf(g.find("ComboBox1"));
        QCOMPARE(course->text(QAccessible::Value), QStringLiteral("200"));
        QCOMPARE(course->relations(QAccessible::Label).front().first->text(QAccessible::Name),
                 QStringLiteral("200打コース"));
        QCOMPARE(nameOf(g, "Label12"), QStringLiteral("321.5打/分"));
    }
};

} // namespace zem::test

QTEST_MAIN(zem::test::Accessibility)
#include "accessibility_test.moc"
