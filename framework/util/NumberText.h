#pragma once

#include <QString>

namespace tarvelo {

// A number as a Dutch user reads and types it: decimal comma, no grouping,
// no trailing zeros ("5,5", "3", "1,17").
QString numberText(double value);

} // namespace tarvelo
