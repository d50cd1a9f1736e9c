#include "app/qt/error_box.h"

#include "model/failure.h"

#include <QMessageBox>

namespace zem {

void showErrorBox(QWidget *parent, const QString &title, const std::string &message) {
    QMessageBox box(QMessageBox::Critical, title, QString(), QMessageBox::Ok, parent);
    // A record line is shown as it stands, even one that looks like markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(boxMessage(message)));
    box.exec();
}

} // namespace zem
