#include "host/office/DemoHdnClient.h"

#include "framework/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace tarvelo {

void installDemoHdnClient(const Registry& registry, const QString& dataFolder)
{
    if (!QCoreApplication::instance())
        return;
    const QString library = QDir(QCoreApplication::applicationDirPath()).filePath(u"libweslycln.so"_s);
    if (!QFile::exists(library))
        return;
    QDir root(QDir(dataFolder).filePath(u"HDN client"_s));
    if (!root.mkpath(u"bin"_s) || !root.mkpath(u"config"_s) || !root.mkpath(u"network/123456"_s) ||
        !root.mkpath(u"network/500100"_s))
        return;
    const QString installed = root.filePath(u"bin/libweslycln.so"_s);
    if (!QFile::exists(installed) && !QFile::copy(library, installed))
        return;
    // The pages load this code: only its owner may change it or its folders,
    // whatever the umask.
    constexpr QFileDevice::Permissions OwnerWrites =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(root.absolutePath(), OwnerWrites);
    for (const char* folder : {"bin", "config", "network", "network/123456", "network/500100"})
        QFile::setPermissions(root.filePath(QLatin1String(folder)), OwnerWrites);
    QFile::setPermissions(installed, OwnerWrites);
    const auto write = [&](const char* name, const char* text) {
        QFile file(root.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
    };
    write("config/node", "123456\n");
    write("config/certificaat", "90\n");
    registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, u"Software\\CS Engineering\\HDN"_s, u"Installdir"_s,
                          root.absolutePath());
}

} // namespace tarvelo
