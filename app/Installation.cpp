#include "app/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo::Installation {

QString machineFolder(const QString& programFolder)
{
    const QFileInfo bin(QDir::cleanPath(QDir(programFolder).absolutePath()));
    if (bin.fileName() != QLatin1String("bin"))
        return QString();
    const QString prefix = bin.absolutePath();
    // The prefix /usr keeps its machine's files in /etc, as the system does.
    const QString etc = prefix == QLatin1String("/usr") || prefix.endsWith(QLatin1String("/usr"))
                            ? prefix.chopped(4) + u"/etc"_s
                            : prefix + u"/etc"_s;
    const QString folder = etc + u"/tarvelo"_s;
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString machineHiveFile(const QString& programFolder)
{
    const QString folder = machineFolder(programFolder);
    if (folder.isEmpty())
        return QString();
    const QString file = QDir(folder).filePath(u"HKEY_LOCAL_MACHINE.hive"_s);
    // O_EXCL: a hive that is there already keeps its owner and rights. A user
    // who may not write the folder reads the hive only, as the store allows.
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::fchmod(fd, 0644); // whatever the umask
        ::close(fd);
    }
    return file;
}

} // namespace tarvelo::Installation
