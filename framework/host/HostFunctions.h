#pragma once

#include <QLatin1StringView>

// The names a page passes to the host's Application::RunFunction and
// RunProcedure, with what each must return or do. The component is always
// Component; names compare without regard to case. A host that does not know
// a name throws RuntimeError (ErrorNumber::InvalidProcedureCall) from
// RunFunction, and may ignore it in RunProcedure (the default does).
namespace tarvelo::HostFunctions {

inline constexpr QLatin1StringView Component{"Tarvelomain"};

// RunFunction:

// The host database object (framework/host/Database.h, which the host
// includes for it): QVariant::fromValue<Database*>(...), or a null
// Database* when the host has none (the pages that need it then show
// nothing of the office database). GetDatabase(app) asks for it.
inline constexpr QLatin1StringView GetDatabase{"GetDatabase"};
// The company lists of the office: QVariant::fromValue<MijCatalogus*>(...),
// never null when asked (GetMijCatalogus(app) asks for it).
inline constexpr QLatin1StringView GetMaatschappijen{"GetMaatschappijen"};
// The office's identification on the product's online portal, as text
// (QString); "" when the office has none, and the portal page shows no
// address of its own then.
inline constexpr QLatin1StringView GetKantoorIdentificatie{"GetKantoorIdentificatie"};

// RunProcedure:

// The house style's background colour changed: the host recolours its own
// windows. Argument: the new colour, a qint32 (&H00BBGGRR).
inline constexpr QLatin1StringView ApplyBackColor{"Apply_BackColor"};
// A long run starts, goes on and ends on the host's status bar, when the run
// names the host as its owner. Argument: a HostStatusCall::Pointer
// (framework/status/StatusReporter.h), which says what to show.
inline constexpr QLatin1StringView InitStatus{"InitStatus"};
inline constexpr QLatin1StringView SetStatus{"SetStatus"};
inline constexpr QLatin1StringView TermStatus{"TermStatus"};

} // namespace tarvelo::HostFunctions
