#include "app/qt/label_view.h"

#include "app/qt/design_look.h"

namespace zem {

LabelView::LabelView(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
    setWordWrap(false);
}

void LabelView::apply(const Control &c) {
    applyFrame(this, c);
    const QString text = QString::fromStdString(c.text);
    if (this->text() != text)
        setText(text);
    const Qt::Alignment align = c.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
    if (alignment() != (align | Qt::AlignTop))
        setAlignment(align | Qt::AlignTop);
    if (background_ == c.color && textColor_ == c.fontColor)
        return;
    background_ = c.color;
    textColor_ = c.fontColor;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(c.fontColor));
    if (c.color != clNone)
        p.setColor(QPalette::Window, toQColor(c.color));
    setPalette(p);
    setAutoFillBackground(c.color != clNone);
}

} // namespace zem
