// The reference for the start-up figure: a plain window of the game's size
// and fonts with about fifty ordinary widgets and no game behind it.
// Usage: startup_bare_probe LAUNCH_NS
#include "probe_report.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>

namespace {

QFont mincho(int px) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")});
    font.setPixelSize(px);
    return font;
}

void addLabels(QWidget *window) {
    const char *texts[] = {"タイピングZem",
                           "0打",
                           "0分0秒",
                           "0打/分",
                           "MISS",
                           "0打",
                           "100打コース",
                           "ローマ字入力の練習ゲーム",
                           "単語",
                           "ことわざ",
                           "0打/分",
                           "0打/分",
                           "馬"};
    int i = 0;
    for (const char *text : texts) {
        auto *label = new QLabel(QString::fromUtf8(text), window);
        label->setFont(mincho(i == 0 ? 39 : 15));
        label->setGeometry(20 + 25 * i, 20 + 10 * i, 150, 40);
        ++i;
    }
}

void addKeys(QWidget *window) {
    auto *tray = new QWidget(window);
    tray->setGeometry(24, 200, 361, 121);
    tray->setAutoFillBackground(true);
    for (int i = 0; i < 30; ++i) {
        auto *key = new QLabel(QString(QChar('A' + i % 26)), window);
        key->setFont(mincho(16));
        key->setAlignment(Qt::AlignCenter);
        key->setAutoFillBackground(true);
        key->setGeometry(46 + 30 * (i % 10), 210 + 30 * (i / 10), 30, 30);
    }
}

void addInputs(QWidget *window) {
    (new QPushButton(QStringLiteral("START"), window))->setGeometry(398, 197, 75, 30);
    auto *group = new QGroupBox(window);
    group->setGeometry(398, 234, 75, 63);
    (new QRadioButton(QStringLiteral("単語"), group))->setGeometry(6, 14, 53, 15);
    (new QRadioButton(QStringLiteral("ことわざ"), group))->setGeometry(6, 37, 61, 16);
    auto *combo = new QComboBox(window);
    for (int i = 1; i <= 20; ++i)
        combo->addItem(QString::number(i * 100));
    combo->setGeometry(398, 302, 68, 19);
    (new QProgressBar(window))->setGeometry(23, 128, 274, 15);
}

} // namespace

int main(int argc, char *argv[]) {
    const long long launch = zem::bench::launchTime(argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window;
    window.setFont(mincho(11));
    window.resize(491, 334);
    addLabels(&window);
    addKeys(&window);
    addInputs(&window);
    window.show();
    zem::bench::FirstPaintReport report(&window, launch);
    return app.exec();
}
