#include "host/secrets/RecordSecrets.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "host/secrets/SecretBox.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

const QSet<QString>& secretNames()
{
    static const QSet<QString> names = [] {
        QSet<QString> found;
        const Settings declared;
        for (const QString& name : declared.names())
            if (declared.setting(name).isSecret())
                found.insert(name);
        return found;
    }();
    return names;
}

// The sealed passwords of a record, by name.
QHash<QString, QString> sealedIn(const QJsonObject& record)
{
    QHash<QString, QString> sealed;
    for (auto it = record.begin(); it != record.end(); ++it)
        if (RecordSecrets::isSecret(it.key()) && SecretBox::isSealed(it.value().toString()))
            sealed.insert(it.key(), it.value().toString());
    return sealed;
}

} // namespace

bool RecordSecrets::isSecret(const QString& name) { return secretNames().contains(name); }

// A password as typed, not sealed yet; an empty one is kept as it is.
static bool plainSecret(const QString& name, const QJsonValue& value)
{
    return RecordSecrets::isSecret(name) && value.isString() && !value.toString().isEmpty() &&
           !SecretBox::isSealed(value.toString());
}

void RecordSecrets::open(QJsonObject& record, Owner owner, QStringList* unreadable) const
{
    const QHash<QString, QString> sealed = sealedIn(record);
    if (sealed.isEmpty())
        return;
    const std::optional<QByteArray> own = owner == Owner::Adviser ? keys_.find(KeyStore::userKeyName()) : std::nullopt;
    QHash<QString, std::optional<QByteArray>> keys;
    for (auto it = sealed.begin(); it != sealed.end(); ++it) {
        const QString id = SecretBox::keyIdOf(it.value());
        if (!keys.contains(id))
            keys.insert(id, own && SecretBox::keyId(*own) == id ? own : keys_.find(KeyStore::officeKeyName(id)));
        const std::optional<QByteArray>& key = keys.value(id);
        const std::optional<QString> plain = key ? SecretBox::open(it.value(), *key) : std::nullopt;
        record.insert(it.key(), plain.value_or(QString()));
        if (!plain && unreadable)
            *unreadable << it.key();
    }
}

bool RecordSecrets::holdsPlain(const QJsonObject& record)
{
    for (auto it = record.begin(); it != record.end(); ++it)
        if (plainSecret(it.key(), it.value()))
            return true;
    return false;
}

QByteArray RecordSecrets::officeKeyFor(const QJsonObject& storedRecord) const
{
    for (const QString& sealed : sealedIn(storedRecord))
        if (const auto key = keys_.find(KeyStore::officeKeyName(SecretBox::keyIdOf(sealed))))
            return *key;
    return {};
}

void RecordSecrets::receiveOfficeKey(const QByteArray& key) const
{
    const QString name = KeyStore::officeKeyName(SecretBox::keyId(key));
    if (keys_.find(name) != key)
        keys_.keep(name, key);
}

QByteArray RecordSecrets::keyFor(const QJsonObject& record, Owner owner) const
{
    if (owner == Owner::Adviser) {
        if (const auto own = keys_.find(KeyStore::userKeyName()))
            return *own;
        const QByteArray made = SecretBox::newKey();
        keys_.keep(KeyStore::userKeyName(), made);
        return made;
    }
    // The office has one key: the one its passwords are sealed with. Only an
    // office none of whose passwords is sealed yet gets a new one.
    if (const QByteArray held = officeKeyFor(record); !held.isEmpty())
        return held;
    if (!sealedIn(record).isEmpty())
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"Deze werkplek heeft de sleutel van de kantoorwachtwoorden niet, zodat een wachtwoord van "
                           "het kantoor niet kan worden opgeslagen. Importeer een instellingenbestand met "
                           "wachtwoorden dat de beheerder heeft geëxporteerd. Er is niets opgeslagen."_s);
    const QByteArray made = SecretBox::newKey();
    keys_.keep(KeyStore::officeKeyName(SecretBox::keyId(made)), made);
    return made;
}

void RecordSecrets::seal(QJsonObject& record, Owner owner) const
{
    if (!holdsPlain(record))
        return;
    const QByteArray key = keyFor(record, owner);
    for (auto it = record.begin(); it != record.end(); ++it)
        if (plainSecret(it.key(), it.value()))
            it.value() = SecretBox::seal(it.value().toString(), key);
}

} // namespace tarvelo
