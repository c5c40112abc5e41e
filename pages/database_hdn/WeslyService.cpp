#include "pages/database_hdn/WeslyService.h"

#include "framework/errors/RuntimeError.h"

#include <QProcess>

namespace tarvelo {

QString SystemdWeslyService::systemctl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("systemctl"), arguments);
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw RuntimeError(-2147217406L,
                           QStringLiteral("De service %1 kan niet worden bereikt: %2")
                               .arg(unit_, QString::fromLocal8Bit(process.readAllStandardError()).trimmed()),
                           QStringLiteral("CWeslyHDN"));
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString SystemdWeslyService::state()
{
    return systemctl({QStringLiteral("show"), QStringLiteral("--property=SubState"), QStringLiteral("--value"), unit_});
}

void SystemdWeslyService::start() { systemctl({QStringLiteral("start"), unit_}); }

void SystemdWeslyService::stop() { systemctl({QStringLiteral("stop"), unit_}); }

} // namespace tarvelo
