#pragma once

#include <QString>

namespace tarvelo {

using namespace Qt::StringLiterals;

// A message may end in a part for the administrator (the database driver's
// own words, say): after what the user reads, a paragraph of its own that
// starts with DetailsHeading. A screen shows that part apart, behind a
// button (QMessageBox's details); a log and the command line keep it whole.
inline const QString DetailsHeading = u"Technische gegevens voor de beheerder:"_s;

inline QString withDetails(const QString& text, const QString& details)
{
    const QString trimmed = details.trimmed();
    return trimmed.isEmpty() ? text : text + u"\r\n\r\n"_s + DetailsHeading + u' ' + trimmed;
}

struct SplitMessage {
    QString text;
    QString details;
};

inline SplitMessage splitDetails(const QString& message)
{
    const QString separator = u"\r\n\r\n"_s + DetailsHeading;
    const qsizetype at = message.indexOf(separator);
    if (at < 0)
        return {message, QString()};
    return {message.left(at), message.mid(at + separator.size()).trimmed()};
}

} // namespace tarvelo
