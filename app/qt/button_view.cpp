#include "app/qt/button_view.h"

namespace zem {

ButtonView::ButtonView(QWidget *parent) : QPushButton(parent) {
    setAutoDefault(true);
}

void ButtonView::apply(const Control &c) {
    applyFrame(this, c);
    const QString text = QString::fromStdString(c.text);
    if (this->text() != text)
        setText(text);
}

} // namespace zem
