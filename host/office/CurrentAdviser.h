#pragma once

#include <QString>

namespace tarvelo {

class OfficeDatabase;
class Settings;

// Puts the name parts of the adviser with this code, as the adviser register
// holds them, into a Setup; documents print his name from there. The demo
// office gives every adviser his own.
void fillCurrentAdviser(const OfficeDatabase& database, const QString& code, Settings& setup);

} // namespace tarvelo
