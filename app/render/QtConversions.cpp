#include "app/render/QtConversions.h"

#include "framework/util/AccessKey.h"

#include "framework/forms/Control.h"

#include <QFontDatabase>

#include <cmath>

namespace tarvelo {

namespace {
int toPixels(int twips, int twipsPerPixel) { return int(std::lround(double(twips) / std::max(1, twipsPerPixel))); }
} // namespace

int TwipsScale::x(int twips) const { return toPixels(twips, twipsPerPixelX); }
int TwipsScale::y(int twips) const { return toPixels(twips, twipsPerPixelY); }

QRect TwipsScale::rect(const Control& control) const
{
    // Both edges are rounded, so neighbouring controls keep their gaps.
    const int left = x(control.left());
    const int top = y(control.top());
    return QRect(left, top, x(control.right()) - left, y(control.bottom()) - top);
}

QColor toQColor(Colour colour, const QPalette& palette)
{
    if (!isSystemColour(colour))
        return QColor(redOf(colour), greenOf(colour), blueOf(colour));
    switch (colour & 0xFF) {
    case 0x00: return palette.color(QPalette::Mid);  // scroll bar
    case 0x01: return palette.color(QPalette::Dark); // desktop
    case 0x02:
    case 0x03: return palette.color(QPalette::Highlight);       // caption bars
    case 0x04: return palette.color(QPalette::Window);          // menu
    case 0x05: return palette.color(QPalette::Base);            // window
    case 0x06: return palette.color(QPalette::Shadow);          // window frame
    case 0x07: return palette.color(QPalette::WindowText);      // menu text
    case 0x08: return palette.color(QPalette::Text);            // window text
    case 0x09: return palette.color(QPalette::HighlightedText); // caption text
    case 0x0A:
    case 0x0B: return palette.color(QPalette::Mid);  // borders
    case 0x0C: return palette.color(QPalette::Dark); // application workspace
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x0F: return palette.color(QPalette::Window);                   // button face
    case 0x10: return palette.color(QPalette::Dark);                     // button shadow
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12: return palette.color(QPalette::WindowText);               // button text
    case 0x13: return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 0x14: return palette.color(QPalette::Light);       // 3D highlight
    case 0x15: return palette.color(QPalette::Shadow);      // 3D dark shadow
    case 0x16: return palette.color(QPalette::Midlight);    // 3D light
    case 0x17: return palette.color(QPalette::ToolTipText); // info text
    case 0x18: return palette.color(QPalette::ToolTipBase); // info background
    default: return palette.color(QPalette::Window);
    }
}

Colour fromQColor(const QColor& colour) { return rgb(colour.red(), colour.green(), colour.blue()); }

QString platformFamily(const QString& family)
{
    if (family.compare(Font().name, Qt::CaseInsensitive) == 0)
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return family;
}

QFont toQFont(const Font& font)
{
    QFont f(platformFamily(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 8.0);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

Qt::Alignment toQtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

} // namespace tarvelo
