#pragma once

#include "framework/forms/Colour.h"
#include "framework/forms/Font.h"
#include "framework/forms/Label.h"
#include "framework/util/AccessKey.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

namespace tarvelo {

class Control;

// Twips to screen pixels for one screen resolution (15 twips per pixel at 96 DPI).
struct TwipsScale {
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;

    int x(int twips) const;
    int y(int twips) const;
    // A control's rectangle in pixels, relative to its container.
    QRect rect(const Control& control) const;
};

// A model colour as Qt draws it: fixed BGR colours directly, system colours
// from the palette, so that the theme's choices are kept.
QColor toQColor(Colour colour, const QPalette& palette);
Colour fromQColor(const QColor& colour);

// The pages are designed in one font (Font's default family): it becomes the
// platform's own UI font family, at the design's point size, because the
// twips layout was measured with that size. Any other family stays itself.
QString platformFamily(const QString& family);
// A model font as Qt draws it; bold, italic and sizes a page set are kept.
QFont toQFont(const Font& font);

// The horizontal alignment of a label or text box.
Qt::Alignment toQtAlignment(Alignment alignment);

} // namespace tarvelo
