#include <QImage>
#include <QTest>

// The window takes its icon from the resource ":/typing-zem.png". Fails when the
// resource is not linked in, sits under another name, or holds another picture.
class IconResourceTest : public QObject {
    Q_OBJECT
private slots:
    void windowIconIsTheShippedPicture();
};

void IconResourceTest::windowIconIsTheShippedPicture() {
    const QImage icon(QStringLiteral(":/typing-zem.png"));
    QVERIFY2(!icon.isNull(), "no picture at :/typing-zem.png");
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon, QImage(QStringLiteral(ZEM_SHIPPED_ICON)));
}

QTEST_GUILESS_MAIN(IconResourceTest)
#include "icon_resource_test.moc"
