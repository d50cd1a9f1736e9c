#include "app/qt/error_box.h"

#include "app/failure.h"

#include <QMessageBox>

namespace zem {

void showErrorBox(QWidget *parent, const QString &title, const char *message) {
    QMessageBox box(QMessageBox::Critical, title, QString::fromStdString(boxMessage(message)),
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace zem
