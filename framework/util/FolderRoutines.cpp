#include "framework/util/FolderRoutines.h"

#include "framework/ui/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr QChar Separator = u'/';
}

QString BrowseForFolder(Ui& ui, const QString& initialFolder, const QString& title, bool includeFiles,
                        bool allowNewFolder, bool showEditBox)
{
    FolderRequest request;
    request.title = title;
    request.initialFolder = initialFolder;
    request.includeFiles = includeFiles;
    request.allowNewFolder = allowNewFolder;
    request.showEditBox = showEditBox;
    return ui.chooseFolder(request).value_or(QString());
}

bool FolderExists(Ui& ui, const QString& path, bool showMessage)
{
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return true;
    if (showMessage)
        ui.msgBox(u"De gekozen folder is niet gevonden. Controleer uw invoer."_s, MsgButtons::OK, MsgIcon::Exclamation,
                  u"Folder niet gevonden"_s);
    return false;
}

QString AddBackslash(const QString& path)
{
    if (path.isEmpty() || path.endsWith(Separator))
        return path;
    return path + Separator;
}

QString ProgramWorkFolder(const QString& programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    const QStringList parts = folder.split(Separator);
    // "/source/..." splits into "", "source", ...
    if (parts.size() >= 2 && parts[0].isEmpty() && parts[1].compare(QLatin1String("source"), Qt::CaseInsensitive) == 0)
        return Separator + parts[1] + u"/Tarvelo/bin"_s;
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        if (parts[i].compare(QLatin1String("bin"), Qt::CaseInsensitive) == 0)
            return parts.mid(0, i + 1).join(Separator);
    }
    return folder;
}

bool SetCurrentDirToProgramFolder(const QString& programFolder)
{
    return QDir::setCurrent(ProgramWorkFolder(programFolder));
}

bool SetCurrentDirToProgramFolder()
{
    QString programFolder;
    if (QCoreApplication::instance())
        programFolder = QCoreApplication::applicationDirPath();
    else
        programFolder = QFileInfo(QFileInfo(u"/proc/self/exe"_s).canonicalFilePath()).path();
    return SetCurrentDirToProgramFolder(programFolder);
}

} // namespace tarvelo
