#pragma once

#include <QString>
#include <optional>

namespace tarvelo {

class TextBox;

// A number as the user reads it: decimal comma, no grouping ("2,5").
QString numberText(double value);
// An amount as "#,##0.00" in the Dutch way ("1.234,50").
QString amountText(double value);
// The typed number, or nothing when the box holds no number.
std::optional<double> typedNumber(const TextBox& box);

} // namespace tarvelo
