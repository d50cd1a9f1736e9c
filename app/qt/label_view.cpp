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
    if (background_ != c.color || textColor_ != c.fontColor) {
        background_ = c.color;
        textColor_ = c.fontColor;
        // Painted here over the whole label, so nothing below need be.
        setAttribute(Qt::WA_OpaquePaintEvent, c.color != clNone);
        update();
    }
    // QLabel's own painting, for a buddy's shortcut, takes the colour from a
    // palette; no other label needs one of its own.
    if (showsShortcut() && palette().color(QPalette::WindowText) != toQColor(textColor_)) {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, toQColor(textColor_));
        setPalette(p);
    }
}

bool LabelView::showsShortcut() const {
    return buddy() && text().contains(QLatin1Char('&'));
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
    // A buddy turns '&' into an underlined shortcut: QLabel knows how.
    const bool shortcut = showsShortcut();
    const bool line = !text().isEmpty() && !shortcut;
    if (background_ != clNone || line) {
        QPainter painter(this);
        if (background_ != clNone)
            painter.fillRect(rect(), toQColor(background_));
        if (line) {
            if (!laidOut_)
                layOut();
            const qreal width = layout_.lineAt(0).horizontalAdvance();
            const qreal x = alignment() & Qt::AlignRight ? this->width() - width : 0;
            painter.setPen(QPen(toQColor(textColor_), 1));
            layout_.draw(&painter, QPointF(x, 0));
        }
    }
    if (shortcut)
        QLabel::paintEvent(event);
}

} // namespace zem
