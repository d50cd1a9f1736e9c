#pragma once

#include "app/qt/control_view.h"

#include <QLabel>
#include <QTextLayout>

namespace zem {

// A design label: text at the top, left- or right-aligned within the size
// the model measured; the rectangle filled with its background colour, except
// for clNone, which leaves whatever lies below visible. A label that shows how
// far it is typed colours those parts of its text, which stays plain text.
//
// Still a QLabel, so screen readers get a label's role and text and the
// course label can name the drop-down list; but it paints from a layout kept
// since the text or font last changed, as several labels repaint on every
// keystroke and QLabel would lay its text out anew at each paint.
class LabelView final : public QLabel, public ControlView {
public:
    explicit LabelView(QWidget *parent);
    QWidget *widget() override { return this; }
    void apply(const Control &control) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The parts of the text the model marks, in UTF-16 units.
    struct Marks {
        int greyed = 0, marked = 0;
        Color greyedColor = clNone, markedColor = clNone;
        bool operator==(const Marks &) const = default;
    };
    static Marks marksOf(const Control &control);
    void layOut();

    QTextLayout layout_;
    bool laidOut_ = false;
    Color background_ = clNone - 1;
    Color textColor_ = clNone - 1;
    Marks marks_;
};

} // namespace zem
