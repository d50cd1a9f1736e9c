#pragma once

#include "model/control.h"

class QWidget;

namespace zem {

class FormWindow;
class TForm1;

// Screen readers read the window through Qt's accessibility interfaces.
// These are the ones of our own widgets; installed before the first window
// exists, since Qt keeps the first interface it made for a widget.
void installAccessibleInterfaces();

// Names every control a reader should visit and ties the course selector to
// its caption. Once, when the window's widgets exist.
void makeReadable(FormWindow &window);

// What a reader says for one control, in step with the model: called again
// whenever the control changed. Labels need nothing, Qt reads their text;
// a key's name and state are read from the model when a reader asks, and a
// reader listening hears that they changed.
void describeForReaders(QWidget *widget, const TForm1 &form, ControlId id);

} // namespace zem
