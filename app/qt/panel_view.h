#pragma once

#include "app/qt/control_view.h"

#include <QStaticText>
#include <QWidget>

namespace zem {

// A panel painted by itself: fill, bevel, optional border and a centred
// caption. The key panels change colour on every keystroke, so a new colour
// costs one repaint of this widget and nothing else.
class PanelView final : public QWidget, public ControlView {
public:
    explicit PanelView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCaption(QPainter &painter, const QRect &exposed);

    QColor fill_;
    QColor textColor_;
    // Laid out once, not at every paint: several panels repaint per keystroke.
    QStaticText caption_;
    QFont captionFont_;
    BevelKind bevel_ = BevelKind::None;
    int bevelWidth_ = 0;
    bool border_ = false;
};

} // namespace zem
