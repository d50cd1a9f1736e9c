#pragma once

#include <QString>

#include <string>

class QWidget;

namespace zem {

// The error box of a failed step: critical icon, OK, the failure's message
// (UTF-8) with its full stop, whole and as plain text. Returns when the
// player has closed it; the event loop (and the clock) go on meanwhile.
void showErrorBox(QWidget *parent, const QString &title, const std::string &message);

// The box of a notice that is no error: information icon, OK, the message
// whole and as plain text, ending with 「。」. Returns as the error box does.
void showNoticeBox(QWidget *parent, const QString &title, const std::string &message);

} // namespace zem
