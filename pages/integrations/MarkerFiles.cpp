#include "pages/integrations/MarkerFiles.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
const QString InviceMarker = u"importTV.fp7"_s;
const QString AssistentMarker = u"ass20.exe"_s;

bool endsWithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'));
}
} // namespace

bool hasInviceMarker(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    // The listing's own spelling decides, so "ImportTV.fp7" does not pass even
    // where the file system ignores case.
    const QStringList names = QDir(folder).entryList({InviceMarker}, QDir::Files | QDir::Hidden | QDir::System);
    return names.contains(InviceMarker, Qt::CaseSensitive);
}

QString assistentMarkerPath(const QString& folder)
{
    if (endsWithSeparator(folder))
        return folder + AssistentMarker;
    const QChar separator = folder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    return folder + separator + AssistentMarker;
}

bool hasAssistentMarker(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    return QFileInfo(assistentMarkerPath(folder)).isFile();
}

} // namespace tarvelo
