#include "host/office/DataFolder.h"

#include "framework/errors/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace tarvelo::DataFolder {

namespace {
constexpr QFileDevice::Permissions OwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

RuntimeError unusable(const QString& path, const QString& why)
{
    return RuntimeError(75, u"De gegevensmap %1 kan niet worden gebruikt: %2"_s.arg(path, why));
}

void makeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        throw unusable(path, u"er staat een bestand met die naam."_s);
    if (!info.exists()) {
        if (!QDir().mkpath(path))
            throw unusable(path, u"de map kan niet worden aangemaakt."_s);
        QFile::setPermissions(path, OwnerOnlyFolder);
    }
}
} // namespace

QString defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(u"tarvelo"_s);
}

QString officeDatabasePath(const QString& dataFolder) { return QDir(dataFolder).filePath(u"Database/Adviezen.mdb"_s); }

QString machineHivePath(const QString& dataFolder)
{
    return QDir(dataFolder).absoluteFilePath(u"HKEY_LOCAL_MACHINE.hive"_s);
}

void prepare(const QString& path)
{
    if (path.trimmed().isEmpty())
        throw unusable(path, u"er is geen map opgegeven."_s);
    makeFolder(path);
    for (const char* sub : {"Database", "Data", "Uitwisseling", "Programma"})
        makeFolder(QDir(path).filePath(QString::fromLatin1(sub)));
    // Writing is what the program needs; a test file shows it at once rather
    // than at the first save.
    QTemporaryFile probe(QDir(path).filePath(u"Database/.schrijftest-XXXXXX"_s));
    if (!probe.open())
        throw unusable(path, u"er kan niet in worden geschreven (%1)."_s.arg(probe.errorString()));
}

} // namespace tarvelo::DataFolder
