#include "app/qt/panel_view.h"

#include "app/qt/design_look.h"

#include <QPaintEvent>
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
    if (fill == fill_ && textColor == textColor_ && caption == caption_.text() &&
        bevel_ == c.bevel && bevelWidth_ == c.bevelWidth && border_ == c.border)
        return;
    fill_ = fill;
    textColor_ = textColor;
    if (caption != caption_.text()) {
        caption_.setText(caption);
        caption_.setTextFormat(Qt::PlainText);
    }
    bevel_ = c.bevel;
    bevelWidth_ = c.bevelWidth;
    border_ = c.border;
    update();
}

void PanelView::paintEvent(QPaintEvent *event) {
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
    paintCaption(p, event->rect());
}

// Centred in the whole panel, even where the panel's parent cuts it off; a
// caption outside the repainted area is not drawn at all.
void PanelView::paintCaption(QPainter &painter, const QRect &exposed) {
    if (caption_.text().isEmpty())
        return;
    if (captionFont_ != font()) {
        captionFont_ = font();
        caption_.prepare(QTransform(), captionFont_);
    }
    const QSizeF size = caption_.size();
    const QPointF topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
    if (!QRectF(topLeft, size).intersects(exposed))
        return;
    painter.setFont(captionFont_);
    painter.setPen(textColor_);
    painter.drawStaticText(topLeft, caption_);
}

} // namespace zem
