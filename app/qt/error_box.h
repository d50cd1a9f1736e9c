#pragma once

#include <QString>

class QWidget;

namespace zem {

// The error box of a failed step: critical icon, OK, the failure's message
// with its full stop. Returns when the player has closed it; the event loop
// (and the clock) go on meanwhile.
void showErrorBox(QWidget *parent, const QString &title, const char *message);

} // namespace zem
