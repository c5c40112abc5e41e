#pragma once

#include <QString>

namespace tarvelo {

using namespace Qt::StringLiterals;

// The fixed texts of the error report, kept in one place.
namespace ReportTexts {
inline const QString ProductName = u"Quenmarix"_s;
// The usual message, and the two variants some forms use.
inline const QString Message = u"Er is een fout opgetreden."_s;
inline const QString MessageWithEllipsis = u"Er is een fout opgetreden..."_s;
inline const QString MessageWithoutStop = u"Er is een fout opgetreden"_s;
// A page's context is this prefix and its title.
inline const QString PageContextPrefix = u"Instellingen - "_s;
// The context of dialogs that are not tied to one page.
inline const QString GeneralContext = u"Generiek"_s;
// The kind of error a guarded procedure reports.
inline constexpr int GuardedErrorKind = 2;
} // namespace ReportTexts

} // namespace tarvelo
