#pragma once

#include <QtGlobal>

namespace tarvelo {

// Colours are 32-bit BGR values as the classic forms store them; values with
// the high bit set name a system colour instead of a fixed one.
using Colour = quint32;

namespace SystemColour {
inline constexpr Colour ButtonFace = 0x8000000F;
inline constexpr Colour ButtonText = 0x80000012;
inline constexpr Colour Window = 0x80000005;
inline constexpr Colour WindowText = 0x80000008;
inline constexpr Colour InfoBackground = 0x80000018;
inline constexpr Colour InfoText = 0x80000017;
inline constexpr Colour GrayText = 0x80000011;
} // namespace SystemColour

inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Black = 0x000000;

inline constexpr bool isSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

// BGR parts, the way the classic RGB() function packs them.
inline constexpr Colour rgb(int red, int green, int blue)
{
    return Colour(red & 0xFF) | (Colour(green & 0xFF) << 8) | (Colour(blue & 0xFF) << 16);
}
inline constexpr int redOf(Colour c) { return int(c & 0xFF); }
inline constexpr int greenOf(Colour c) { return int((c >> 8) & 0xFF); }
inline constexpr int blueOf(Colour c) { return int((c >> 16) & 0xFF); }

} // namespace tarvelo
