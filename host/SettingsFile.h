#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace tarvelo {

class SettingsObject;

// A settings object as a JSON record: every declared setting by its name,
// dates as ISO text. The same record is kept in a file of its own or in a
// row of the office database.
namespace SettingsFile {

QJsonObject toRecord(const SettingsObject& settings);
// Reads a record into the settings; where names the record in the message.
// Throws RuntimeError with a Dutch description when the text is no record or
// a value does not fit its setting, and then leaves the settings unchanged.
void fromRecord(SettingsObject& settings, const QByteArray& text, const QString& where);
QByteArray toText(const QJsonObject& record);

// The record in a file, readable only by its owner (settings hold passwords
// as typed). Writing is atomic: a crash leaves the old file or the new one.
// Throws RuntimeError with a Dutch description when the file cannot be written.
void save(const SettingsObject& settings, const QString& path);
// False when there is no file yet; throws when the file does not parse.
bool load(SettingsObject& settings, const QString& path);

} // namespace SettingsFile
} // namespace tarvelo
