#pragma once

#include <QString>

namespace tarvelo {

class SettingsObject;

// A settings object as a JSON record in a file of its own, readable only by
// its owner (settings hold passwords as typed). Writing is atomic: a crash
// leaves the old file or the new one, never half of one.
namespace SettingsFile {
// Throws RuntimeError with a Dutch description when the file cannot be written.
void save(const SettingsObject& settings, const QString& path);
// False when there is no file yet; throws when the file does not parse.
bool load(SettingsObject& settings, const QString& path);
} // namespace SettingsFile

} // namespace tarvelo
