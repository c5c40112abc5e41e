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

// The installations the links serve ignore the case of file names, so a
// marker spelt "ImportTV.fp7" or "ASS20.EXE" is the marker all the same.
bool holdsFile(const QString& folder, const QString& name)
{
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return false;
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : dir.entryList()) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
} // namespace

bool hasInviceMarker(const QString& folder) { return holdsFile(folder, InviceMarker); }

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
    const QFileInfo marker(assistentMarkerPath(folder));
    return holdsFile(marker.path(), marker.fileName());
}

} // namespace tarvelo
