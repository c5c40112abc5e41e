#include "host/SettingsFile.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/SettingsObject.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace tarvelo::SettingsFile {

QJsonObject toRecord(const SettingsObject& settings)
{
    QJsonObject record;
    const QVariantMap map = settings.toMap();
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QVariant& v = it.value();
        if (v.typeId() == QMetaType::QDate)
            record.insert(it.key(), v.toDate().isValid() ? v.toDate().toString(Qt::ISODate) : QString());
        else
            record.insert(it.key(), QJsonValue::fromVariant(v));
    }
    return record;
}

QByteArray toText(const QJsonObject& record) { return QJsonDocument(record).toJson(QJsonDocument::Indented); }

void fromRecord(SettingsObject& settings, const QByteArray& text, const QString& where)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw RuntimeError(ErrorNumber::TypeMismatch,
                           u"De instellingen in %1 zijn beschadigd: %2"_s.arg(where, error.errorString()));
    // Well-formed, but no record of settings: the parser has no error to tell.
    if (!doc.isObject())
        throw RuntimeError(ErrorNumber::TypeMismatch,
                           u"De instellingen in %1 zijn beschadigd: er staat %2 in plaats van een verzameling "
                           "instellingen."_s.arg(where, doc.isArray() ? u"een lijst"_s : u"een losse waarde"_s));
    // Read into the settings only when every value fits, so that a damaged
    // record never half-replaces what the program holds.
    const QVariantMap before = settings.toMap();
    const QStringList rejected = settings.fromMap(doc.object().toVariantMap());
    if (!rejected.isEmpty()) {
        settings.fromMap(before);
        throw RuntimeError(ErrorNumber::TypeMismatch,
                           u"De instellingen in %1 zijn beschadigd: de waarde van %2 is ongeldig."_s.arg(
                               where, rejected.join(QLatin1String(", "))));
    }
}

void save(const SettingsObject& settings, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw RuntimeError(75,
                           u"De instellingen kunnen niet worden opgeslagen in %1: %2"_s.arg(path, file.errorString()));
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(toText(toRecord(settings)));
    if (!file.commit()) {
        throw RuntimeError(75,
                           u"De instellingen kunnen niet worden opgeslagen in %1: %2"_s.arg(path, file.errorString()));
    }
}

bool load(SettingsObject& settings, const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(75, u"De instellingen in %1 kunnen niet worden gelezen: %2"_s.arg(path, file.errorString()));
    fromRecord(settings, file.readAll(), path);
    return true;
}

} // namespace tarvelo::SettingsFile
