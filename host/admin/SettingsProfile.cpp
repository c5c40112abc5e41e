#include "host/admin/SettingsProfile.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "host/office/ChangeHistory.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <sodium.h>

#include <cmath>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tarvelo::SettingsProfile {

namespace {

QString typeName(const SettingBase& s)
{
    switch (s.type().id()) {
    case QMetaType::UChar: return u"geheel8"_s;
    case QMetaType::Short: return u"geheel16"_s;
    case QMetaType::Int: return u"geheel32"_s;
    case QMetaType::Double: return u"getal"_s;
    case QMetaType::Bool: return u"janee"_s;
    case QMetaType::QDate: return u"datum"_s;
    default: return u"tekst"_s;
    }
}

// A setting declared narrower since the file was written (the 8-bit scenario
// start was written as a 16-bit number) takes the value when it fits.
bool sameType(const QJsonObject& entry, const SettingBase& setting)
{
    const QString written = entry.value(u"type"_s).toString();
    return written == typeName(setting) ||
           (setting.type().id() == QMetaType::UChar && written == QLatin1String("geheel16"));
}

QJsonValue jsonOf(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().isValid() ? v.toDate().toString(Qt::ISODate) : QString();
    return QJsonValue::fromVariant(v);
}

QJsonObject line(const QString& object, const SettingBase& s, const QJsonValue& value)
{
    return {{u"object"_s, object}, {u"naam"_s, s.name()}, {u"type"_s, typeName(s)}, {u"waarde"_s, value}};
}

void initSodium()
{
    if (sodium_init() < 0)
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"De versleuteling kan niet worden gestart."_s);
}

QByteArray deriveKey(const QString& passphrase, const QByteArray& salt, unsigned long long ops, size_t mem)
{
    const QByteArray secret = passphrase.toUtf8();
    QByteArray key(crypto_secretbox_KEYBYTES, '\0');
    if (salt.size() != crypto_pwhash_SALTBYTES ||
        crypto_pwhash(reinterpret_cast<unsigned char*>(key.data()), size_t(key.size()), secret.constData(),
                      size_t(secret.size()), reinterpret_cast<const unsigned char*>(salt.constData()), ops, mem,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw RuntimeError(7, u"De sleutel voor de wachtwoorden kan niet worden gemaakt."_s);
    return key;
}

// The key derivation this program writes; a file may ask for a little less or
// somewhat more, never for what would tie up the computer.
constexpr unsigned long long WrittenOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t WrittenMem = crypto_pwhash_MEMLIMIT_INTERACTIVE;
constexpr double MinOps = 1;
constexpr double MaxOps = 2.0 * WrittenOps;
constexpr double MinMem = WrittenMem / 8.0;
constexpr double MaxMem = 2.0 * WrittenMem;

QJsonObject encrypt(const QJsonArray& secrets, const QString& passphrase)
{
    initSodium();
    QByteArray salt(crypto_pwhash_SALTBYTES, '\0');
    randombytes_buf(salt.data(), size_t(salt.size()));
    const unsigned long long ops = WrittenOps;
    const size_t mem = WrittenMem;
    QByteArray key = deriveKey(passphrase, salt, ops, mem);
    QByteArray nonce(crypto_secretbox_NONCEBYTES, '\0');
    randombytes_buf(nonce.data(), size_t(nonce.size()));
    const QByteArray plain = QJsonDocument(secrets).toJson(QJsonDocument::Compact);
    QByteArray sealed(plain.size() + crypto_secretbox_MACBYTES, '\0');
    crypto_secretbox_easy(reinterpret_cast<unsigned char*>(sealed.data()),
                          reinterpret_cast<const unsigned char*>(plain.constData()), size_t(plain.size()),
                          reinterpret_cast<const unsigned char*>(nonce.constData()),
                          reinterpret_cast<const unsigned char*>(key.constData()));
    sodium_memzero(key.data(), size_t(key.size()));
    return {{u"afleiding"_s, u"argon2id13"_s},
            {u"opslimit"_s, double(ops)},
            {u"memlimit"_s, double(mem)},
            {u"zout"_s, QString::fromLatin1(salt.toBase64())},
            {u"nonce"_s, QString::fromLatin1(nonce.toBase64())},
            {u"gegevens"_s, QString::fromLatin1(sealed.toBase64())}};
}

// The version as the file writes it, for messages.
QString writtenVersion(const QByteArray& content, double read)
{
    static const QRegularExpression field(u"\"versie\"\\s*:\\s*([-+0-9.eE]+)"_s);
    const QRegularExpressionMatch match = field.match(QString::fromUtf8(content));
    return match.hasMatch() ? match.captured(1) : QString::number(read, 'g', 17);
}

[[noreturn]] void notASettingsFile()
{
    throw ProfileError(ProfileProblem::NotASettingsFile, u"Het bestand is geen instellingenbestand van Quenmarix."_s);
}

QJsonArray decrypt(const QJsonObject& box, const QString& passphrase)
{
    initSodium();
    if (box.value(u"afleiding"_s).toString() != QLatin1String("argon2id13"))
        notASettingsFile();
    const QByteArray salt = QByteArray::fromBase64(box.value(u"zout"_s).toString().toLatin1());
    const QByteArray nonce = QByteArray::fromBase64(box.value(u"nonce"_s).toString().toLatin1());
    const QByteArray sealed = QByteArray::fromBase64(box.value(u"gegevens"_s).toString().toLatin1());
    const double ops = box.value(u"opslimit"_s).toDouble(-1);
    const double mem = box.value(u"memlimit"_s).toDouble(-1);
    const bool whole = ops == std::floor(ops) && mem == std::floor(mem);
    if (salt.size() != crypto_pwhash_SALTBYTES || nonce.size() != crypto_secretbox_NONCEBYTES ||
        sealed.size() < int(crypto_secretbox_MACBYTES) || !whole || ops < MinOps || ops > MaxOps || mem < MinMem ||
        mem > MaxMem)
        throw ProfileError(ProfileProblem::Damaged,
                           u"Het instellingenbestand is beschadigd: de versleutelde wachtwoorden erin zijn niet "
                           "door dit programma geschreven. Er is niets gewijzigd."_s);
    QByteArray key = deriveKey(passphrase, salt, (unsigned long long)ops, size_t(mem));
    QByteArray plain(sealed.size() - int(crypto_secretbox_MACBYTES), '\0');
    const int opened = crypto_secretbox_open_easy(
        reinterpret_cast<unsigned char*>(plain.data()), reinterpret_cast<const unsigned char*>(sealed.constData()),
        size_t(sealed.size()), reinterpret_cast<const unsigned char*>(nonce.constData()),
        reinterpret_cast<const unsigned char*>(key.constData()));
    sodium_memzero(key.data(), size_t(key.size()));
    if (opened != 0)
        throw ProfileError(ProfileProblem::WrongPassphrase,
                           u"Het wachtwoord voor de wachtwoorden in dit bestand is onjuist. Er is niets gewijzigd."_s);
    const QJsonDocument doc = QJsonDocument::fromJson(plain);
    if (!doc.isArray())
        notASettingsFile();
    return doc.array();
}

SettingsObject* objectOf(const QString& object, SettingsObject& setup, SettingsObject& globalSetup)
{
    if (object == ChangeHistory::SetupObject)
        return &setup;
    if (object == ChangeHistory::GlobalSetupObject)
        return &globalSetup;
    return nullptr;
}

QJsonObject parse(const QByteArray& content)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError) {
        // A file of ours that ends too early fails where the text ends.
        const QByteArray text = content.trimmed();
        if (text.startsWith('{') && text.contains(Format.toUtf8()) && error.offset >= text.size() - 1)
            throw ProfileError(
                ProfileProblem::Truncated,
                u"Het instellingenbestand is onvolledig: het houdt midden in op. Er is niets gewijzigd."_s);
        notASettingsFile();
    }
    if (!doc.isObject() || doc.object().value(u"formaat"_s).toString() != Format)
        notASettingsFile();
    return doc.object();
}

} // namespace

QString valueText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? u"true"_s : u"false"_s;
    case QMetaType::QDate: return value.toDate().isValid() ? value.toDate().toString(Qt::ISODate) : QString();
    case QMetaType::Double: {
        const double d = value.toDouble();
        return d == double(qint64(d)) ? QString::number(qint64(d)) : QString::number(d, 'g', 15);
    }
    default: return value.toString();
    }
}

// The office key travels among the passwords as a line of its own, which
// older versions list as unknown and leave alone.
const QString KeyObject = u"Sleutel"_s;
const QString OfficeKeyName = u"Kantoor"_s;

QByteArray write(const SettingsObject& setup, const SettingsObject& globalSetup,
                 const std::optional<QString>& passphrase, const QByteArray& officeKey, const QStringList& unreadable)
{
    QJsonArray lines;
    QJsonArray secrets;
    const std::pair<QString, const SettingsObject*> objects[] = {{ChangeHistory::SetupObject, &setup},
                                                                 {ChangeHistory::GlobalSetupObject, &globalSetup}};
    for (const auto& [object, settings] : objects) {
        for (const QString& name : settings->names()) {
            const SettingBase& s = settings->setting(name);
            const QJsonObject entry = line(object, s, jsonOf(s.toVariant()));
            if (!s.isSecret())
                lines.append(entry);
            else if (!unreadable.contains(object + QLatin1Char('.') + name))
                secrets.append(entry);
        }
    }
    QJsonObject file{{u"formaat"_s, Format},
                     {u"versie"_s, Version},
                     {u"gemaakt"_s, QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
                     {u"instellingen"_s, lines}};
    if (passphrase && !officeKey.isEmpty())
        secrets.append(QJsonObject{{u"object"_s, KeyObject},
                                   {u"naam"_s, OfficeKeyName},
                                   {u"type"_s, u"tekst"_s},
                                   {u"waarde"_s, QString::fromLatin1(officeKey.toBase64())}});
    if (passphrase)
        file.insert(u"wachtwoorden"_s, encrypt(secrets, *passphrase));
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

void save(const QString& path, const QByteArray& content)
{
    // The new file takes the old one's place: a pipe, a device or a folder of
    // that name would be replaced by a plain file, or never read.
    const QByteArray native = QFile::encodeName(path);
    struct stat target {};
    struct stat entry {};
    const bool exists = ::lstat(native.constData(), &entry) == 0;
    if (exists && (::stat(native.constData(), &target) != 0 || !S_ISREG(target.st_mode)))
        throw RuntimeError(75, u"Het instellingenbestand %1 kan niet worden geschreven: er staat al iets met die "
                               "naam dat geen gewoon bestand is (een map, apparaat, pijp of verwijzing naar niets). "
                               "Kies een gewoon bestand of een nieuwe naam."_s.arg(path));
    QSaveFile file(path);
    const auto fail = [&] {
        throw RuntimeError(
            75, u"Het instellingenbestand %1 kan niet worden geschreven: %2"_s.arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(content) != content.size() || !file.commit())
        fail();
}

QByteArray load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ProfileError(ProfileProblem::Unreadable,
                           u"Het instellingenbestand %1 kan niet worden gelezen: %2"_s.arg(path, file.errorString()));
    return file.readAll();
}

ImportPlan plan(const QByteArray& content, const SettingsObject& setup, const SettingsObject& globalSetup,
                const std::function<std::optional<QString>()>& passphrase)
{
    const QJsonObject file = parse(content);
    const QJsonValue version = file.value(u"versie"_s);
    if (!version.isDouble() || version.toDouble() < 1)
        notASettingsFile();
    // The version is told as the file writes it: 1.5 is no version 1, and
    // 1e308 is no version 0.
    if (const double v = version.toDouble(); v != std::floor(v))
        throw ProfileError(ProfileProblem::Damaged,
                           u"Het instellingenbestand is beschadigd: de bestandsversie %1 is geen geheel getal. "
                           "Er is niets gewijzigd."_s.arg(writtenVersion(content, v)));
    if (version.toDouble() > Version)
        throw ProfileError(ProfileProblem::NewerVersion,
                           u"Het instellingenbestand is gemaakt door een nieuwere versie van het programma "
                           "(bestandsversie %1; deze versie leest tot en met versie %2). Er is niets gewijzigd."_s
                               .arg(writtenVersion(content, version.toDouble()))
                               .arg(Version));
    if (!file.value(u"instellingen"_s).isArray())
        notASettingsFile();

    ImportPlan result;
    QJsonArray lines = file.value(u"instellingen"_s).toArray();
    const QJsonValue box = file.value(u"wachtwoorden"_s);
    result.hasSecrets = box.isObject();
    if (result.hasSecrets) {
        if (const std::optional<QString> answer = passphrase ? passphrase() : std::nullopt) {
            for (const QJsonValue& secret : decrypt(box.toObject(), *answer)) {
                const QJsonObject entry = secret.toObject();
                if (entry.value(u"object"_s).toString() == KeyObject &&
                    entry.value(u"naam"_s).toString() == OfficeKeyName)
                    result.officeKey = QByteArray::fromBase64(entry.value(u"waarde"_s).toString().toLatin1());
                else
                    lines.append(secret);
            }
            result.secretsRead = true;
        }
    }

    // Values are tried on copies, so that nothing the user holds changes here.
    Settings trialSetup;
    Settings trialGlobal;
    for (const QJsonValue& value : lines) {
        const QJsonObject entry = value.toObject();
        const QString object = entry.value(u"object"_s).toString();
        const QString name = entry.value(u"naam"_s).toString();
        const QString key = object + QLatin1Char('.') + name;
        const SettingsObject* current = object == ChangeHistory::SetupObject         ? &setup
                                        : object == ChangeHistory::GlobalSetupObject ? &globalSetup
                                                                                     : nullptr;
        if (!value.isObject() || !current || !current->contains(name)) {
            result.unknown << (value.isObject() ? key : u"(geen instelling)"_s);
            continue;
        }
        SettingsObject& trial = *objectOf(object, trialSetup, trialGlobal);
        const SettingBase& setting = current->setting(name);
        const QJsonValue raw = entry.value(u"waarde"_s);
        try {
            if (raw.isArray() || raw.isObject() || raw.isUndefined() || !sameType(entry, setting))
                throw RuntimeError::typeMismatch();
            trial.setValue(name, raw.toVariant());
        } catch (const RuntimeError&) {
            result.misfits << u"%1: %2"_s.arg(key, setting.isSecret() ? u"(geheim)"_s : raw.toVariant().toString());
            continue;
        }
        const QVariant proposed = trial.value(name);
        if (proposed == setting.toVariant())
            continue;
        if (current->isLocked(name)) {
            result.locked << key;
            continue;
        }
        ProfileDifference d;
        d.object = object;
        d.name = setting.name();
        // A setting the file names twice changes once, to its last value.
        std::erase_if(result.differences, [&](const ProfileDifference& earlier) {
            return earlier.object == object && earlier.name == d.name;
        });
        d.secret = setting.isSecret();
        d.value = proposed;
        if (!d.secret) {
            d.current = valueText(setting.toVariant());
            d.proposed = valueText(proposed);
        }
        result.differences.push_back(std::move(d));
    }
    return result;
}

QStringList apply(const std::vector<ProfileDifference>& chosen, SettingsObject& setup, SettingsObject& globalSetup)
{
    // Every line is tried first; only when all fit is anything changed.
    for (const ProfileDifference& d : chosen) {
        SettingsObject* target = objectOf(d.object, setup, globalSetup);
        if (!target || !target->contains(d.name))
            throw RuntimeError(438, u"Onbekende instelling: %1.%2"_s.arg(d.object, d.name));
        if (target->isLocked(d.name))
            throw RuntimeError(SettingsObject::LockedError,
                               u"%1.%2: %3"_s.arg(d.object, d.name, SettingsObject::lockedMessage()));
        Settings trial;
        trial.setValue(d.name, d.value);
    }
    QStringList applied;
    for (const ProfileDifference& d : chosen) {
        objectOf(d.object, setup, globalSetup)->setValue(d.name, d.value);
        applied << d.object + QLatin1Char('.') + d.name;
    }
    return applied;
}

} // namespace tarvelo::SettingsProfile
