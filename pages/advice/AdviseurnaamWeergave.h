#pragma once

#include <QString>

namespace tarvelo {

struct CurrentAdviserSettings;

// The adviser's name as documents print it, in one of the formats of
// "Weergave adviseurnaam" (1 initials surname, 2 title surname, 3 initials
// (first names) surname, 4 first names surname, 5 title initials surname).
// The title is "Dhr. " or "Mw. " by the adviser's sex; the surname carries its
// prefix ("van Dijk").
QString adviseurnaamWeergave(const CurrentAdviserSettings& adviseur, int weergave);

} // namespace tarvelo
