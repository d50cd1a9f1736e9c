#include "app/qt/group_box_view.h"

namespace zem {

GroupBoxView::GroupBoxView(QWidget *parent) : QGroupBox(parent) {}

void GroupBoxView::apply(const Control &c) {
    applyFrame(this, c);
    const QString title = QString::fromStdString(c.text);
    if (this->title() != title)
        setTitle(title);
}

} // namespace zem
