#include "framework/util/ProcessRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

int RunAndWait(const QString& commandLine, int timeoutMs)
{
    const QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return RunResult::NotStarted;
    QProcess process;
    // The program writes where this program writes and reads nothing.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(words.first(), words.mid(1));
    if (!process.waitForStarted())
        return RunResult::NotStarted;
    if (!process.waitForFinished(std::max(0, timeoutMs))) {
        process.kill();
        process.waitForFinished();
        return RunResult::StillActive;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : RunResult::Crashed;
}

namespace {

// The executable's file name of a process, "" for kernel threads and processes
// that have ended but not yet been reaped.
QString executableName(const QString& processFolder)
{
    QString target = QFile::symLinkTarget(processFolder + u"/exe"_s);
    if (!target.isEmpty()) {
        // A program whose file was replaced while it runs still carries its name.
        const QString deleted = u" (deleted)"_s;
        if (target.endsWith(deleted))
            target.chop(deleted.size());
        return QFileInfo(target).fileName();
    }
    // Processes of other users hide their executable; their first argument names it.
    QFile cmdline(processFolder + u"/cmdline"_s);
    if (!cmdline.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray first = cmdline.readAll().split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(first)).fileName();
}

} // namespace

void KillProcessByName(const QString& exeName, int& count, bool kill)
{
    if (exeName.isEmpty())
        return;
    count = 0;
    const QString own = QString::number(::getpid());
    const QStringList entries = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const pid_t pid = pid_t(entry.toLong(&numeric));
        if (!numeric || entry == own)
            continue;
        const QString name = executableName(u"/proc/"_s + entry);
        if (name.isEmpty() || !name.endsWith(exeName, Qt::CaseInsensitive))
            continue;
        ++count;
        if (kill)
            ::kill(pid, SIGKILL);
    }
}

} // namespace tarvelo
