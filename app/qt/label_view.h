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
// course label can name the drop-down list; but it paints from a line laid
// out when the text or font changes, where QLabel would lay its text out anew
// at each paint. The line's shaped glyphs are not kept between paints: a
// label repaints almost only because its text changed (the miss count at
// every miss), and thirteen labels' glyphs would stay in memory for nothing.
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
    bool showsShortcut() const;

    QTextLayout layout_;
    bool laidOut_ = false;
    Color background_ = clNone - 1;
    Color textColor_ = clNone - 1;
    Marks marks_;
};

} // namespace zem
