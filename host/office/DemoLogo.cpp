#include "host/office/DemoLogo.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString DemoLogo::path(const QString& installationFolder)
{
    return QDir(installationFolder).absoluteFilePath(u"QuenmarixLogo.png"_s);
}

bool DemoLogo::install(const QString& installationFolder)
{
    const QString target = path(installationFolder);
    if (QFile::exists(target))
        return true;
    // A copy of a resource keeps the resource's read-only mode; the office may replace the file.
    if (!QDir().mkpath(installationFolder) || !QFile::copy(u":/demo/QuenmarixLogo.png"_s, target))
        return false;
    return QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

} // namespace tarvelo
