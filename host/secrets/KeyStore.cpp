#include "host/secrets/KeyStore.h"

#include "framework/errors/RuntimeError.h"
#include "host/secrets/Keyring.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"tarvelo/sleutels"_s);
}

} // namespace

KeyStore::KeyStore(const QString& folder) : folder_(QDir::cleanPath(folder.isEmpty() ? defaultFolder() : folder)) {}

QString KeyStore::filePath(const QString& name) const { return QDir(folder_).filePath(name + u".sleutel"_s); }

std::optional<QByteArray> KeyStore::find(const QString& name) const
{
    if (const auto kept = Keyring::find(name.toStdString(), folder_.toStdString()))
        return QByteArray::fromBase64(QByteArray::fromStdString(*kept));
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A key file that others could read is made the user's own again.
    if (file.permissions() & ~(OwnerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser))
        file.setPermissions(OwnerOnly);
    const QByteArray key = QByteArray::fromBase64(file.readAll().trimmed());
    if (key.isEmpty())
        return std::nullopt;
    return key;
}

void KeyStore::keep(const QString& name, const QByteArray& key) const
{
    const QByteArray text = key.toBase64();
    if (Keyring::keep(name.toStdString(), folder_.toStdString(),
                      (u"Quenmarix instellingen: sleutel van de wachtwoorden (%1)"_s.arg(name)).toStdString(),
                      text.toStdString()))
        return;
    const auto fail = [&](const QString& why) {
        throw RuntimeError(75, u"De sleutel van de wachtwoorden kan niet worden bewaard in %1: %2. "
                               "Er is niets opgeslagen."_s.arg(folder_, why));
    };
    if (!QDir().mkpath(folder_))
        fail(u"de map kan niet worden aangemaakt"_s);
    QFile::setPermissions(folder_, OwnerOnly | QFileDevice::ExeOwner);
    QSaveFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    // Readable by the user only before a byte of the key is in it.
    file.setPermissions(OwnerOnly);
    if (file.write(text + '\n') != text.size() + 1 || !file.commit())
        fail(file.errorString());
}

} // namespace tarvelo
