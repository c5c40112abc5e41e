#pragma once

#include <QString>

namespace tarvelo {

class OfficeDatabase;
class Settings;

// Puts the name parts of the adviser with this code, as the adviser register
// holds them, into his Setup; documents print his name from there.
void fillCurrentAdviser(const OfficeDatabase& database, const QString& code, Settings& setup);

} // namespace tarvelo
