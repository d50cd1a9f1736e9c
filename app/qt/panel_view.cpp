#include "app/qt/panel_view.h"

#include "app/qt/design_look.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace zem {

bool PanelLook::take(const Control &c) {
    const QColor newFill = toQColor(c.color);
    const QColor newText = toQColor(c.fontColor);
    const QString text = QString::fromStdString(c.text);
    if (newFill == fill && newText == textColor && text == caption.text() && bevel == c.bevel &&
        bevelWidth == c.bevelWidth && border == c.border)
        return false;
    fill = newFill;
    textColor = newText;
    if (text != caption.text()) {
        caption.setText(text);
        caption.setTextFormat(Qt::PlainText);
    }
    bevel = c.bevel;
    bevelWidth = c.bevelWidth;
    border = c.border;
    return true;
}

void PanelLook::paint(QPainter &p, const QRect &rect, const QRect &exposed, const QFont &font) {
    p.fillRect(rect, fill);
    if (border) {
        p.setPen(fill);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    // A space bevel looks exactly like a raised one.
    if (bevel == BevelKind::Raised || bevel == BevelKind::Space)
        drawFrame3D(p, rect, toQColor(clBtnHighlight), toQColor(clBtnShadow), bevelWidth);
    else if (bevel == BevelKind::Lowered)
        drawFrame3D(p, rect, toQColor(clBtnShadow), toQColor(clBtnHighlight), bevelWidth);
    // Centred in the whole panel, even where the panel's parent cuts it off;
    // a caption outside the repainted area is not drawn at all.
    if (caption.text().isEmpty())
        return;
    if (captionFont != font) {
        captionFont = font;
        caption.prepare(QTransform(), captionFont);
    }
    const QSizeF size = caption.size();
    const QPointF topLeft(rect.left() + (rect.width() - size.width()) / 2,
                          rect.top() + (rect.height() - size.height()) / 2);
    if (!QRectF(topLeft, size).intersects(exposed))
        return;
    p.setFont(captionFont);
    p.setPen(textColor);
    p.drawStaticText(topLeft, caption);
}

// One panel inside the outermost one, kept as the data it is painted from.
class PanelView::Nested final : public ControlView {
public:
    Nested(PanelView &owner, Nested *parent) : owner(owner), parent(parent) {}
    QWidget *widget() override { return &owner; }
    void apply(const Control &control) override { owner.applyNested(*this, control); }

    bool inside(const Nested *ancestor) const {
        for (const Nested *up = parent; up; up = up->parent)
            if (up == ancestor)
                return true;
        return false;
    }

    PanelView &owner;
    Nested *const parent; // null: directly inside the owner
    QRect rect;           // within the parent
    bool visible = false;
    int fontPx = 0;
    QFont font;
    PanelLook look;
    Place place; // as of the last paint
};

PanelView::PanelView(QWidget *parent) : QWidget(parent) {
    // Every pixel is painted here; nothing below needs to show through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PanelView::~PanelView() = default;

void PanelView::apply(const Control &c) {
    applyFrame(this, c);
    if (look_.take(c))
        update();
}

ControlView *PanelView::nest(ControlView *parent, const Control &control) {
    PanelView *owner = dynamic_cast<PanelView *>(parent);
    Nested *up = dynamic_cast<Nested *>(parent);
    if (up)
        owner = &up->owner;
    // A nested panel has no widget to hold another kind of control.
    if (up && control.kind != ControlKind::Panel)
        throw std::logic_error("design table: " + control.name + " lies in a nested panel");
    if (!owner || control.kind != ControlKind::Panel)
        return nullptr;
    // After its parent and everything already inside it: created later, it
    // lies above its earlier siblings.
    auto &list = owner->nested_;
    auto at = list.begin();
    if (up) {
        at = std::find_if(list.begin(), list.end(), [&](const auto &n) { return n.get() == up; });
        at = std::find_if(std::next(at), list.end(), [&](const auto &n) { return !n->inside(up); });
    } else {
        at = list.end();
    }
    Nested *nested = list.insert(at, std::make_unique<Nested>(*owner, up))->get();
    nested->apply(control);
    return nested;
}

PanelView::Place PanelView::placeIn(const Place &up, const Nested &n) {
    const QPoint origin = up.origin + n.rect.topLeft();
    if (!n.visible || up.clip.isEmpty())
        return {origin, QRect()};
    return {origin, up.clip & QRect(origin, n.rect.size())};
}

PanelView::Place PanelView::placeOf(const Nested *n) const {
    return n ? placeIn(placeOf(n->parent), *n) : Place{QPoint(0, 0), rect()};
}

// Repaints where the panel showed before and where it shows now, as two
// rectangles: a jaw moving by a tooth-height repaints two strips, not the
// box around them. Its own nested panels lie within them.
void PanelView::applyNested(Nested &n, const Control &c) {
    const QRect before = placeOf(&n).clip;
    const QRect rect = toQRect(c.rect);
    bool changed = n.look.take(c) || rect != n.rect || c.visible != n.visible;
    if (n.fontPx != c.fontPx) {
        n.fontPx = c.fontPx;
        n.font = designFont(c.fontPx);
        changed = true;
    }
    n.rect = rect;
    n.visible = c.visible;
    if (!changed)
        return;
    update(before);
    update(placeOf(&n).clip);
}

// Each nested panel over the ones before it, where the repainted region
// touches it and no panel above hides it. Panels are placed afresh at every
// paint, parents first, so a move needs no bookkeeping beyond the two
// rectangles it repaints. The region is painted one rectangle at a time.
void PanelView::paintEvent(QPaintEvent *event) {
    const Place whole{QPoint(0, 0), rect()};
    for (const auto &n : nested_)
        n->place = placeIn(n->parent ? n->parent->place : whole, *n);
    // Whether a panel after the first `from` ones hides all of `area`.
    auto hidden = [&](std::size_t from, const QRect &area) {
        for (std::size_t i = from; i < nested_.size(); ++i)
            if (nested_[i]->look.fill.alpha() == 255 && nested_[i]->place.clip.contains(area))
                return true;
        return false;
    };
    QPainter p(this);
    for (const QRect &part : event->region()) {
        if (!hidden(0, part)) {
            p.setClipRect(part);
            look_.paint(p, rect(), part, font());
        }
        for (std::size_t i = 0; i < nested_.size(); ++i) {
            Nested &n = *nested_[i];
            const QRect clip = n.place.clip & part;
            if (clip.isEmpty() || hidden(i + 1, clip))
                continue;
            p.setClipRect(clip);
            // Only a caption needs the font as the window resolves it.
            const bool captioned = !n.look.caption.text().isEmpty();
            n.look.paint(p, QRect(n.place.origin, n.rect.size()), clip,
                         captioned ? n.font.resolve(font()) : n.font);
        }
    }
}

} // namespace zem
