#include "app/qt/radio_button_view.h"

#include "app/qt/design_look.h"

namespace zem {

// The design gives both buttons the grey of the group they sit in; letting
// the group show through keeps Fusion's slightly darker group fill intact.
RadioButtonView::RadioButtonView(QWidget *parent) : QRadioButton(parent) {}

void RadioButtonView::apply(const Control &c) {
    applyFrame(this, c);
    const QString text = QString::fromStdString(c.text);
    if (this->text() != text)
        setText(text);
    if (isChecked() != c.checked)
        setChecked(c.checked);
    if (isEnabled() != c.enabled)
        setEnabled(c.enabled);
    setFocusPolicy(c.checked ? Qt::StrongFocus : Qt::ClickFocus);
    if (textColor_ == c.fontColor)
        return;
    textColor_ = c.fontColor;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(c.fontColor));
    setPalette(p);
}

} // namespace zem
