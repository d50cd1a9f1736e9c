#pragma once

#include "app/qt/control_view.h"

#include <QStaticText>
#include <QWidget>

#include <memory>
#include <vector>

namespace zem {

// What a panel shows inside its own rectangle: fill, bevel, optional border
// and a centred caption.
struct PanelLook {
    QColor fill;
    QColor textColor;
    // Laid out once, not at every paint: several panels repaint per keystroke.
    QStaticText caption;
    QFont captionFont;
    BevelKind bevel = BevelKind::None;
    int bevelWidth = 0;
    bool border = false;

    // Takes the control's colours, caption and bevel; true when any differs.
    bool take(const Control &control);
    void paint(QPainter &painter, const QRect &rect, const QRect &exposed, const QFont &font);
};

// A panel painted by itself. The key panels change colour on every
// keystroke, so a new colour costs one repaint of this widget and nothing
// else. Panels nested in it get no widget of their own: this one paints them
// too, each clipped to its ancestors and over the ones created before it, so
// a moving jaw repaints a strip of this widget instead of moving a stack of
// child widgets through Qt's repaint bookkeeping.
class PanelView final : public QWidget, public ControlView {
public:
    explicit PanelView(QWidget *parent);
    ~PanelView() override;
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

    // The view of a panel inside `parent` when that is a panel's view (or one
    // nested in it): drawn by the outermost panel's widget. Null for any other
    // control or parent.
    static ControlView *nest(ControlView *parent, const Control &control);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class Nested;
    struct Place {
        QPoint origin; // the nested panel's top-left corner in this widget
        QRect clip;    // what of it shows; empty while it or an ancestor is hidden
    };
    static Place placeIn(const Place &parent, const Nested &nested);
    Place placeOf(const Nested *nested) const;
    void applyNested(Nested &nested, const Control &control);

    PanelLook look_;
    // In paint order: each after its parent and its earlier siblings' panels.
    std::vector<std::unique_ptr<Nested>> nested_;
};

} // namespace zem
