#include "floor_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>

namespace zem::bench {

namespace {

const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kRed(0xFF, 0, 0);
const QColor kNavy(0, 0, 0x80);
const QColor kBlue(0, 0, 0xFF);

struct LabelRow {
    int left, top, width, height;
    const char *text;
    bool right;
    int px;
    QColor color;
};

// The game's labels as they stand while it waits for START; the second is
// the clock, the fifth the miss count.
const LabelRow kLabels[] = {
    {88, 150, 23, 15, "0打", true, 15, kBlue},
    {163, 150, 46, 15, "0分0秒", true, 15, kNavy},
    {163, 172, 46, 15, "0打/分", true, 15, kNavy},
    {30, 172, 32, 15, "MISS", false, 15, kRed},
    {89, 172, 23, 15, "0打", true, 15, kRed},
    {302, 128, 66, 12, "100打コース", false, 12, kRed},
    {339, 98, 132, 11, "ローマ字入力の練習ゲーム", false, 11, Qt::black},
    {232, 150, 30, 15, "単語", false, 15, Qt::black},
    {224, 172, 44, 11, "ことわざ", false, 11, Qt::black},
    {330, 150, 46, 15, "0打/分", true, 15, kNavy},
    {342, 172, 34, 11, "0打/分", true, 11, kNavy},
    {75, 66, 255, 39, "タイピングZem", false, 39, Qt::black},
};

void setColor(QWidget *w, QPalette::ColorRole role, const QColor &color) {
    QPalette p = w->palette();
    p.setColor(role, color);
    w->setPalette(p);
}

} // namespace

QFont floorFont(int px) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")});
    font.setPixelSize(px);
    return font;
}

void useFloorStyle() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
}

FloorWindow::FloorWindow(bool clock) : showsClock_(clock) {
    setWindowTitle(QStringLiteral("floor_probe"));
    setFont(floorFont(11));
    // A menu bar of three menus over the design, as the game's window has;
    // the design below it, moved down by its height.
    auto *menus = new QMenuBar(this);
    menus->setFont(floorFont(14));
    for (const char *title : {"ゲーム(&G)", "設定(&S)", "ヘルプ(&H)"})
        menus->addMenu(QString::fromUtf8(title));
    const int barHeight = menus->sizeHint().height();
    menus->setGeometry(0, 0, 491, barHeight);
    client_ = new QWidget(this);
    client_->setGeometry(0, barHeight, 491, 334);
    resize(491, barHeight + 334);
    for (const QRect &r : {QRect(296, 128, 89, 17), QRect(224, 150, 161, 46),
                           QRect(120, 150, 97, 46), QRect(23, 150, 98, 46)}) {
        auto *frame = new QFrame(client_);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setGeometry(r);
    }
    addLabels();
    addKeys();
    addInputs();
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    started_.start();
    timer_.start(1000);
}

void FloorWindow::addLabels() {
    std::vector<QLabel *> labels;
    for (const LabelRow &row : kLabels) {
        auto *label = new QLabel(QString::fromUtf8(row.text), client_);
        label->setFont(floorFont(row.px));
        label->setAlignment((row.right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        label->setGeometry(row.left, row.top, row.width, row.height);
        setColor(label, QPalette::WindowText, row.color);
        labels.push_back(label);
    }
    clock_ = labels[1];
    counter_ = labels[4];
}

void FloorWindow::addKeys() {
    auto *tray = new QFrame(client_);
    tray->setFrameStyle(QFrame::Panel | QFrame::Raised);
    tray->setGeometry(24, 200, 361, 121);
    tray->setAutoFillBackground(true);
    setColor(tray, QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    const char *rows[] = {"QWERTYUIOP", "ASDFGHJKL;", "ZXCVBNM,./"};
    const int lefts[3][10] = {{46, 76, 107, 137, 168, 198, 228, 259, 289, 320},
                              {53, 83, 113, 144, 174, 205, 235, 265, 296, 326},
                              {69, 99, 129, 159, 189, 220, 250, 280, 311, 341}};
    const int tops[] = {210, 239, 270};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 10; ++i) {
            auto *key = new QLabel(QString(QChar(rows[row][i])), client_);
            key->setFont(floorFont(16));
            key->setAlignment(Qt::AlignCenter);
            key->setFrameStyle(QFrame::Panel | QFrame::Raised);
            key->setLineWidth(3);
            key->setAutoFillBackground(true);
            setColor(key, QPalette::Window, kCream);
            key->setGeometry(lefts[row][i], tops[row], 30, 30);
            keys_.push_back(key);
        }
    red_.assign(keys_.size(), false);
}

void FloorWindow::addInputs() {
    auto *start = new QPushButton(QStringLiteral("START"), client_);
    start->setGeometry(398, 197, 75, 30);
    auto *group = new QGroupBox(client_);
    group->setGeometry(398, 234, 75, 63);
    auto *word = new QRadioButton(QStringLiteral("単語"), group);
    word->setGeometry(6, 14, 53, 15);
    word->setChecked(true);
    (new QRadioButton(QStringLiteral("ことわざ"), group))->setGeometry(6, 37, 61, 16);
    auto *course = new QComboBox(client_);
    for (int i = 1; i <= 20; ++i)
        course->addItem(QString::number(i * 100));
    course->setGeometry(398, 302, 68, 19);
    auto *bar = new QProgressBar(client_);
    bar->setTextVisible(false);
    bar->setGeometry(23, 128, 274, 15);
    // The keys go to the window, as the game's do during a game.
    start->setFocusPolicy(Qt::NoFocus);
    word->setFocusPolicy(Qt::NoFocus);
    course->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
}

void FloorWindow::keyPressEvent(QKeyEvent *event) {
    const QString letter = event->text().toUpper();
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (!letter.isEmpty() && keys_[i]->text() == letter) {
            red_[i] = !red_[i];
            setColor(keys_[i], QPalette::Window, red_[i] ? kRed : kCream);
        }
}

void FloorWindow::keyReleaseEvent(QKeyEvent *event) {
    if (!event->isAutoRepeat())
        counter_->setText(QStringLiteral("%1打").arg(++typed_));
}

void FloorWindow::tick() {
    if (!showsClock_)
        return;
    const qint64 s = started_.elapsed() / 1000;
    clock_->setText(QStringLiteral("%1分%2秒").arg(s / 60).arg(s % 60));
}

} // namespace zem::bench
