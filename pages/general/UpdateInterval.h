#pragma once

#include <QDate>

namespace tarvelo {

class ComboBox;
class Settings;

// The update-interval combo shared by the "Algemeen" and "Tarvelo Update" pages.
namespace UpdateInterval {

// Refills the combo with the four intervals and selects the stored one; a
// stored 0 means no choice yet, so the daily default is written back at once.
void fill(ComboBox& combo, Settings& setup);

// When the chosen interval differs from the stored one: stores it, clears the
// update flag and plans the next check that many calendar days after the
// host's date (given as text).
void store(const ComboBox& combo, Settings& setup, const QString& today);

} // namespace UpdateInterval
} // namespace tarvelo
