#include "host/SettingsFile.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/SettingsObject.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tarvelo::SettingsFile {

void save(const SettingsObject& settings, const QString& path)
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw RuntimeError(75, QStringLiteral("De instellingen kunnen niet worden opgeslagen in %1: %2")
                                   .arg(path, file.errorString()));
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(QJsonDocument(record).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        throw RuntimeError(75, QStringLiteral("De instellingen kunnen niet worden opgeslagen in %1: %2")
                                   .arg(path, file.errorString()));
    }
}

bool load(SettingsObject& settings, const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(75, QStringLiteral("De instellingen in %1 kunnen niet worden gelezen: %2")
                                   .arg(path, file.errorString()));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw RuntimeError(ErrorNumber::TypeMismatch,
                           QStringLiteral("De instellingen in %1 zijn beschadigd: %2").arg(path, error.errorString()));
    settings.fromMap(doc.object().toVariantMap());
    return true;
}

} // namespace tarvelo::SettingsFile
