#include "host/office/DemoHdnClient.h"

#include "framework/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace tarvelo {

void installDemoHdnClient(const Registry& registry, const QString& dataFolder)
{
    if (!QCoreApplication::instance())
        return;
    const QString library = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libweslycln.so"));
    if (!QFile::exists(library))
        return;
    QDir root(QDir(dataFolder).filePath(QStringLiteral("HDN client")));
    if (!root.mkpath(QStringLiteral("bin")) || !root.mkpath(QStringLiteral("config")) ||
        !root.mkpath(QStringLiteral("network/123456")) || !root.mkpath(QStringLiteral("network/500100")))
        return;
    const QString installed = root.filePath(QStringLiteral("bin/libweslycln.so"));
    if (!QFile::exists(installed) && !QFile::copy(library, installed))
        return;
    const auto write = [&](const char* name, const char* text) {
        QFile file(root.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    };
    write("config/node", "123456\n");
    write("config/certificaat", "90\n");
    registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\CS Engineering\\HDN"), QStringLiteral("Installdir"),
                          root.absolutePath());
}

} // namespace tarvelo
