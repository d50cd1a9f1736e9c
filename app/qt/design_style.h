#pragma once

#include <QProxyStyle>

namespace zem {

// Fusion, with two changes for this window: the mode buttons' text sits as
// close to the indicator as on the design's platform (otherwise "ことわざ"
// loses its last character to the button's design width), and a progress
// bar is a sunken frame with a solid run, repainted whenever it grows by a
// pixel. Fusion's gradient bar cost more than the rest of a keystroke.
class DesignStyle final : public QProxyStyle {
public:
    DesignStyle();
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};

} // namespace zem
