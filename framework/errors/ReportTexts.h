#pragma once

#include <QString>

namespace tarvelo {

// The fixed texts of the error report, kept in one place.
namespace ReportTexts {
inline const QString ProductName = QStringLiteral("Quenmarix");
// The usual message, and the two variants some forms use.
inline const QString Message = QStringLiteral("Er is een fout opgetreden.");
inline const QString MessageWithEllipsis = QStringLiteral("Er is een fout opgetreden...");
inline const QString MessageWithoutStop = QStringLiteral("Er is een fout opgetreden");
// A page's context is this prefix and its title.
inline const QString PageContextPrefix = QStringLiteral("Instellingen - ");
// The context of dialogs that are not tied to one page.
inline const QString GeneralContext = QStringLiteral("Generiek");
// The kind of error a guarded procedure reports.
inline constexpr int GuardedErrorKind = 2;
} // namespace ReportTexts

} // namespace tarvelo
