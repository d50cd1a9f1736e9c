#include "app/qt/client_area.h"

#include "app/qt/qt_canvas.h"
#include "app/t_form1.h"

#include <QPaintEvent>
#include <QPainter>

namespace zem {

ClientArea::ClientArea(TForm1 &form, QWidget *parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("ClientArea"));
    setAutoFillBackground(true);
}

// FormPaint only draws, so it cannot fail here.
void ClientArea::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    QtCanvas canvas(painter, event->rect());
    form_.FormPaint(canvas);
}

} // namespace zem
