#include "app/qt/key_heat_map.h"

#include "app/form_design.h"
#include "app/qt/design_look.h"
#include "app/qt/history_texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>

namespace zem {

namespace {

// Design pixels to the map's: big enough for "12.5%" on every key.
constexpr double kScale = 1.5;
constexpr int kLegendHeight = 26;

QRect scaled(const Rect &r, QPoint origin) {
    const int left = int(std::lround((r.left - origin.x()) * kScale));
    const int top = int(std::lround((r.top - origin.y()) * kScale));
    const int right = int(std::lround((r.left + r.width - origin.x()) * kScale));
    const int bottom = int(std::lround((r.top + r.height - origin.y()) * kScale));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The tray (Panel31) and the 30 key panels, as the game's design places them.
struct Board {
    Rect tray;
    std::vector<Control> keys;
};

const Board &board() {
    static const Board b = [] {
        Board found;
        for (const Control &c : formControls()) {
            if (c.name == "Panel31")
                found.tray = c.rect;
            else if (c.kind == ControlKind::Panel && c.parent == kWindow && c.text.size() == 1)
                found.keys.push_back(c);
        }
        return found;
    }();
    return b;
}

QColor heat(double rate) {
    const QColor cream = toQColor(clCream), red = toQColor(clRed);
    const double t = std::clamp(rate / KeyHeatMap::kRedRate, 0.0, 1.0);
    auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(mix(cream.red(), red.red()), mix(cream.green(), red.green()),
                  mix(cream.blue(), red.blue()));
}

} // namespace

// One key: its letter large, its rate below, on its heat colour in the
// game's raised 3-pixel bevel.
class KeyHeatMap::Key final : public QWidget {
public:
    Key(QWidget *parent, char letter) : QWidget(parent), letter_(letter) {
        setObjectName(QStringLiteral("HeatKey") + QChar(letter));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    char letter() const { return letter_; }

    void setRate(const KeyRate &rate) {
        const std::int64_t expected = rate.hits + rate.misses;
        fill_ = expected ? heat(double(rate.misses) / double(expected)) : toQColor(clCream);
        // Black reads on cream and pink; white on the deeper reds.
        text_ = fill_.green() < 110 ? Qt::white : Qt::black;
        rate_ = missRateText(rate);
        const QString name = QString(QChar(letter_)) + QLatin1Char(' ') +
                             (expected ? rate_ : QStringLiteral("記録なし"));
        if (accessibleName() != name)
            setAccessibleName(name);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), fill_);
        drawFrame3D(p, rect(), toQColor(clBtnHighlight), toQColor(clBtnShadow), 3);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(text_);
        const QRect inner = rect().adjusted(3, 2, -3, -3);
        p.setFont(designFont(20));
        p.drawText(inner.adjusted(0, 0, 0, -inner.height() * 2 / 5), Qt::AlignCenter,
                   QString(QChar(letter_)));
        p.setFont(designFont(11));
        p.drawText(inner.adjusted(0, inner.height() * 3 / 5, 0, 0), Qt::AlignCenter, rate_);
    }

private:
    const char letter_;
    QColor fill_ = toQColor(clCream);
    QColor text_ = Qt::black;
    QString rate_ = QStringLiteral("—");
};

namespace {

// A key reads as a piece of text, its letter and rate, like the game's keys.
QAccessibleInterface *keyInterface(const QString &, QObject *object) {
    auto *w = qobject_cast<QWidget *>(object);
    if (w && dynamic_cast<KeyHeatMap *>(w->parentWidget()) &&
        w->objectName().startsWith(QLatin1String("HeatKey")))
        return new QAccessibleWidget(w, QAccessible::StaticText);
    return nullptr;
}

} // namespace

KeyHeatMap::KeyHeatMap(QWidget *parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(keyInterface);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("KeyHeatMap"));
    setAccessibleName(QStringLiteral("キーごとのミス率"));
    const Board &b = board();
    const QPoint origin(b.tray.left, b.tray.top);
    const QRect tray = scaled(b.tray, origin);
    setFixedSize(tray.width(), tray.height() + kLegendHeight);
    for (const Control &c : b.keys) {
        auto *key = new Key(this, c.text[0]);
        key->setGeometry(scaled(c.rect, origin));
        keys_.push_back(key);
    }
    setRates({});
}

void KeyHeatMap::setRates(const std::vector<KeyRate> &rates) {
    for (Key *key : keys_) {
        auto it = std::find_if(rates.begin(), rates.end(),
                               [&](const KeyRate &r) { return r.key == key->letter(); });
        key->setRate(it == rates.end() ? KeyRate{key->letter(), 0, 0} : *it);
    }
}

// The tray behind the keys, and under it the colour scale.
void KeyHeatMap::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect tray(0, 0, width(), height() - kLegendHeight);
    p.fillRect(tray, toQColor(clSilver));
    drawFrame3D(p, tray, toQColor(clBtnHighlight), toQColor(clBtnShadow), 1);

    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect scale(width() - 200, tray.bottom() + 9, 120, 12);
    QLinearGradient gradient(scale.topLeft(), scale.topRight());
    gradient.setColorAt(0, heat(0));
    gradient.setColorAt(1, heat(kRedRate));
    p.fillRect(scale, gradient);
    drawFrame3D(p, scale.adjusted(-1, -1, 1, 1), toQColor(clBtnShadow), toQColor(clBtnHighlight),
                1);
    p.setFont(designFont(12));
    p.setPen(Qt::black);
    p.drawText(QRect(0, scale.top() - 3, scale.left() - 6, 18), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ミス率 0%"));
    p.drawText(QRect(scale.right() + 6, scale.top() - 3, 80, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1%以上").arg(int(kRedRate * 100)));
}

} // namespace zem
