#pragma once

#include "app/qt/design_look.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QTest>

#include <vector>

// Fails the test with the list itself, so a failure names what was wrong.
#define ZEM_EXPECT_NONE(list)                                                                      \
    do {                                                                                           \
        const QStringList wrong_ = (list);                                                         \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_.join(QStringLiteral("; "))));                 \
    } while (false)

namespace zem::test {

inline const QColor kCream(255, 251, 240);
inline const QColor kYellow(255, 255, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kSilver(192, 192, 192);

// A design colour as it reaches the screen.
inline QColor shown(Color color) {
    return QColor(toQColor(color).rgb());
}

// One pixel of the mascot that shows one panel, in figure coordinates (from
// the top-left corner of Panel32, jaw closed), and the colour it must have.
struct FigureProbe {
    const char *panel;
    QPoint at;
    QColor colour;
    bool onJaw; // moves with Panel36
};

struct FigureLook {
    bool eyesRed = false;
    bool patchesCream = false; // after an odd number of correct strokes
};

// A pixel inside what each panel shows, clear of bevel lines except on
// Panel56, of which nothing but its top bevel line shows.
inline std::vector<FigureProbe> figureProbes(FigureLook look) {
    const QColor eye = look.eyesRed ? kRed : kYellow;
    const QColor patch = look.patchesCream ? kCream : shown(clBtnFace);
    const QColor highlight = shown(clBtnHighlight);
    return {
        {"Panel32", {4, 4}, kBlack, false},      // ground, left of the head
        {"Panel33", {20, 28}, kCream, false},    // second bar
        {"Panel34", {12, 36}, kCream, false},    // face, left of the eye
        {"Panel38", {24, 48}, eye, false},       // left eye
        {"Panel56", {28, 56}, highlight, false}, // line in the eye's bottom row
        {"Panel39", {56, 48}, eye, false},       // right eye
        {"Panel51", {35, 64}, kBlack, false},    // nostrils
        {"Panel52", {45, 64}, kBlack, false},
        {"Panel53", {68, 68}, kBlack, false}, // corner squares
        {"Panel54", {12, 68}, kBlack, false},
        {"Panel59", {68, 59}, patch, false},  // patch on the face's edge
        {"Panel35", {26, 76}, kWhite, false}, // upper teeth
        {"Panel43", {33, 76}, kCream, false}, // strips between them
        {"Panel44", {41, 76}, kCream, false},
        {"Panel45", {49, 76}, kCream, false},
        {"Panel46", {57, 76}, kCream, false},
        {"Panel36", {10, 84}, kBlack, true}, // jaw, left of the teeth
        {"Panel37", {40, 93}, kCream, true}, // bar below the lower teeth
        {"Panel40", {26, 85}, kWhite, true}, // lower teeth
        {"Panel47", {33, 85}, kCream, true}, // strips between them
        {"Panel48", {41, 85}, kCream, true},
        {"Panel49", {49, 85}, kCream, true},
        {"Panel50", {57, 85}, kCream, true},
        {"Panel42", {40, 100}, kCream, true}, // chin
        {"Panel57", {68, 100}, patch, true},  // patch at the chin's end
        {"Panel55", {30, 20}, kCream, false}, // top bar
        {"Panel41", {56, 20}, patch, false},  // patch at the top bar's end
        {"Panel58", {64, 28}, patch, false},  // patch at the second bar's end
    };
}

// The probes whose pixel differs, as "Panel38 at (408,176): #ff0000, want
// #ffff00", for a figure whose top-left corner is at `origin` (in design
// pixels) with the jaw's top edge at `jawTop`, on an image drawn at `scale`
// device pixels per design pixel.
inline QStringList figureMismatches(const QImage &image, QPoint origin, int jawTop, FigureLook look,
                                    int scale = 1) {
    QStringList wrong;
    for (const FigureProbe &p : figureProbes(look)) {
        const QPoint at = origin + p.at + QPoint(0, p.onJaw ? jawTop - 80 : 0);
        const QColor seen = image.pixelColor(at * scale);
        if (seen.rgb() != p.colour.rgb())
            wrong << QStringLiteral("%1 at (%2,%3): %4, want %5")
                         .arg(QLatin1String(p.panel))
                         .arg(at.x())
                         .arg(at.y())
                         .arg(seen.name(), p.colour.name());
    }
    return wrong;
}

} // namespace zem::test
