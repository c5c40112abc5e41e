#include "pages/database_hdn/WeslyService.h"

#include "framework/errors/RuntimeError.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString SystemdWeslyService::systemctl(const QStringList& arguments)
{
    QProcess process;
    process.start(u"systemctl"_s, arguments);
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw RuntimeError(-2147217406L,
                           u"De service %1 kan niet worden bereikt: %2"_s.arg(
                               unit_, QString::fromLocal8Bit(process.readAllStandardError()).trimmed()),
                           u"CWeslyHDN"_s);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString SystemdWeslyService::state() { return systemctl({u"show"_s, u"--property=SubState"_s, u"--value"_s, unit_}); }

void SystemdWeslyService::start() { systemctl({u"start"_s, unit_}); }

void SystemdWeslyService::stop() { systemctl({u"stop"_s, unit_}); }

} // namespace tarvelo
