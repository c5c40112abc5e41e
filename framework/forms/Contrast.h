#pragma once

#include "framework/forms/Colour.h"

namespace tarvelo {

// How well text reads on a background: the ratio of the two colours'
// relative luminances, from 1 (the same) to 21 (black on white). Text reads
// well from 4.5; fixed colours only (no system colours).
double contrastRatio(Colour text, Colour background);

// Black or white, whichever reads better on the background.
Colour readableTextOn(Colour background);

} // namespace tarvelo
