#include "app/qt/combo_box_view.h"

namespace zem {

ComboBoxView::ComboBoxView(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
}

void ComboBoxView::apply(const Control &c) {
    applyFrame(this, c);
    if (count() != int(c.items.size())) {
        clear();
        for (const std::string &item : c.items)
            addItem(QString::fromStdString(item));
    }
    if (currentIndex() != c.itemIndex)
        setCurrentIndex(c.itemIndex);
}

} // namespace zem
