#include "framework/forms/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {

namespace {
double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Colour c)
{
    return 0.2126 * channel(redOf(c)) + 0.7152 * channel(greenOf(c)) + 0.0722 * channel(blueOf(c));
}
} // namespace

double contrastRatio(Colour text, Colour background)
{
    const double a = luminance(text);
    const double b = luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Colour readableTextOn(Colour background)
{
    return contrastRatio(Black, background) >= contrastRatio(White, background) ? Black : White;
}

} // namespace tarvelo
