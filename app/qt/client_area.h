#pragma once

#include <QWidget>

namespace zem {

class TForm1;

// The design's client area, below the menu bar: every control's widget is
// its child, at the design's place, and the rounded frame is painted on it.
class ClientArea final : public QWidget {
public:
    ClientArea(TForm1 &form, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TForm1 &form_;
};

} // namespace zem
