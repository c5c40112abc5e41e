#include "host/office/DataFolder.h"

#include "framework/errors/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tarvelo::DataFolder {

namespace {
constexpr QFileDevice::Permissions OwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

RuntimeError unusable(const QString& path, const QString& why)
{
    return RuntimeError(75, QStringLiteral("De gegevensmap %1 kan niet worden gebruikt: %2").arg(path, why));
}

void makeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        throw unusable(path, QStringLiteral("er staat een bestand met die naam."));
    if (!info.exists()) {
        if (!QDir().mkpath(path))
            throw unusable(path, QStringLiteral("de map kan niet worden aangemaakt."));
        QFile::setPermissions(path, OwnerOnlyFolder);
    }
}
} // namespace

QString defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("tarvelo"));
}

QString officeDatabasePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Database/Adviezen.mdb"));
}

void prepare(const QString& path)
{
    if (path.trimmed().isEmpty())
        throw unusable(path, QStringLiteral("er is geen map opgegeven."));
    makeFolder(path);
    for (const char* sub : {"Database", "Data", "Uitwisseling", "Programma"})
        makeFolder(QDir(path).filePath(QString::fromLatin1(sub)));
    // Writing is what the program needs; a test file shows it at once rather
    // than at the first save.
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral("Database/.schrijftest-XXXXXX")));
    if (!probe.open())
        throw unusable(path, QStringLiteral("er kan niet in worden geschreven (%1).").arg(probe.errorString()));
}

} // namespace tarvelo::DataFolder
