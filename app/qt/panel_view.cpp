#include "app/qt/panel_view.h"

#include "app/qt/design_look.h"

#include <QPainter>

namespace zem {

PanelView::PanelView(QWidget *parent) : QWidget(parent) {
    // Every pixel is painted here; nothing below needs to show through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelView::apply(const Control &c) {
    applyFrame(this, c);
    const QColor fill = toQColor(c.color);
    const QColor textColor = toQColor(c.fontColor);
    const QString caption = QString::fromStdString(c.text);
    if (fill == fill_ && textColor == textColor_ && caption == caption_ && bevel_ == c.bevel &&
        bevelWidth_ == c.bevelWidth && border_ == c.border)
        return;
    fill_ = fill;
    textColor_ = textColor;
    caption_ = caption;
    bevel_ = c.bevel;
    bevelWidth_ = c.bevelWidth;
    border_ = c.border;
    update();
}

void PanelView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), fill_);
    if (border_) {
        p.setPen(fill_);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // A space bevel looks exactly like a raised one.
    if (bevel_ == BevelKind::Raised || bevel_ == BevelKind::Space)
        drawFrame3D(p, rect(), toQColor(clBtnHighlight), toQColor(clBtnShadow), bevelWidth_);
    else if (bevel_ == BevelKind::Lowered)
        drawFrame3D(p, rect(), toQColor(clBtnShadow), toQColor(clBtnHighlight), bevelWidth_);
    if (!caption_.isEmpty()) {
        p.setPen(textColor_);
        p.drawText(rect(), Qt::AlignCenter, caption_);
    }
}

} // namespace zem
