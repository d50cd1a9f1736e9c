#include "app/qt/label_view.h"

#include "app/qt/design_look.h"

#include <QEvent>
#include <QPainter>

namespace zem {

LabelView::LabelView(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
    setWordWrap(false);
    layout_.setCacheEnabled(true);
}

void LabelView::apply(const Control &c) {
    applyFrame(this, c);
    const QString text = QString::fromStdString(c.text);
    if (this->text() != text) {
        setText(text);
        laidOut_ = false;
    }
    if (const Marks marks = marksOf(c); marks != marks_) {
        marks_ = marks;
        laidOut_ = false;
        update();
    }
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

LabelView::Marks LabelView::marksOf(const Control &c) {
    if (c.greyedBytes == 0 && c.markedBytes == 0)
        return {};
    const auto units = [&](std::size_t from, std::size_t bytes) {
        return int(QString::fromUtf8(c.text.data() + from, qsizetype(bytes)).size());
    };
    return {units(0, c.greyedBytes), units(c.greyedBytes, c.markedBytes), c.greyedColor,
            c.markedColor};
}

void LabelView::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        laidOut_ = false;
    QLabel::changeEvent(event);
}

// One line, as wide as it needs, set as QPainter::drawText sets a label's
// text, so the glyphs land on the very same pixels.
void LabelView::layOut() {
    layout_.setText(text());
    layout_.setFont(QFont(font(), this));
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout_.setTextOption(option);
    if (marks_ != Marks()) {
        QTextLayout::FormatRange greyed, marked;
        greyed.start = 0;
        greyed.length = marks_.greyed;
        greyed.format.setForeground(toQColor(marks_.greyedColor));
        marked.start = marks_.greyed;
        marked.length = marks_.marked;
        marked.format.setBackground(toQColor(marks_.markedColor));
        layout_.setFormats({greyed, marked});
    } else if (!layout_.formats().isEmpty()) {
        layout_.clearFormats();
    }
    layout_.beginLayout();
    QTextLine line = layout_.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout_.endLayout();
    laidOut_ = true;
}

void LabelView::paintEvent(QPaintEvent *event) {
    if (text().isEmpty())
        return;
    // A buddy turns '&' into an underlined shortcut: QLabel knows how.
    if (buddy() && text().contains(QLatin1Char('&'))) {
        QLabel::paintEvent(event);
        return;
    }
    if (!laidOut_)
        layOut();
    const QTextLine line = layout_.lineAt(0);
    const qreal x = alignment() & Qt::AlignRight ? width() - line.horizontalAdvance() : 0;
    QPainter painter(this);
    painter.setPen(QPen(palette().brush(foregroundRole()), 1));
    line.draw(&painter, QPointF(x, 0));
}

} // namespace zem
