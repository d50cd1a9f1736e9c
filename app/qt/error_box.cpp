#include "app/qt/error_box.h"

#include "model/failure.h"

#include <QMessageBox>

namespace zem {

namespace {

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
             const std::string &text) {
    QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
    // A record line or a file name is shown as it stands, even one that looks
    // like markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.exec();
}

} // namespace

void showErrorBox(QWidget *parent, const QString &title, const std::string &message) {
    showBox(parent, QMessageBox::Critical, title, boxMessage(message));
}

void showNoticeBox(QWidget *parent, const QString &title, const std::string &message) {
    showBox(parent, QMessageBox::Information, title, noticeMessage(message));
}

} // namespace zem
