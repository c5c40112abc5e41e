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
    if (!root.mkpath(u"bin"_s) || !root.mkpath(u"config"_s) ||
        !root.mkpath(u"network/123456"_s) || !root.mkpath(u"network/500100"_s))
        return;
    const QString installed = root.filePath(u"bin/libweslycln.so"_s);
    if (!QFile::exists(installed) && !QFile::copy(library, installed))
        return;
    const auto write = [&](const char* name, const char* text) {
        QFile file(root.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    };
    write("config/node", "123456\n");
    write("config/certificaat", "90\n");
    registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, u"Software\\CS Engineering\\HDN"_s, u"Installdir"_s,
                          root.absolutePath());
}

} // namespace tarvelo
