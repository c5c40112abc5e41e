#pragma once

#include <QLatin1StringView>

// The product key and the value names the pages read and write under it.
namespace tarvelo::RegistryNames {

inline constexpr QLatin1StringView ProductKey{"Software\\Tarvelo"};

// Advice database: per user, with the machine value as fall-back.
inline constexpr QLatin1StringView AdviezenDatabaseMap{"AdviezenDatabaseMap"};
inline constexpr QLatin1StringView AdviezenDatabaseSource{"AdviezenDatabaseSource"};
inline constexpr QLatin1StringView AdviezenDatabaseProvider{"AdviezenDatabaseProvider"};
inline constexpr QLatin1StringView AdviezenDatabaseName{"AdviezenDatabaseName"};
inline constexpr QLatin1StringView AdviezenDatabaseWeergaveNaam{"AdviezenDatabaseWeergaveNaam"};

// Second advice database; "AdviezenDatabase2" says whether it is used.
inline constexpr QLatin1StringView AdviezenDatabase2{"AdviezenDatabase2"};
inline constexpr QLatin1StringView AdviezenDatabase2Source{"AdviezenDatabase2Source"};
inline constexpr QLatin1StringView AdviezenDatabase2Map{"AdviezenDatabase2Map"};
inline constexpr QLatin1StringView AdviezenDatabase2Name{"AdviezenDatabase2Name"};
inline constexpr QLatin1StringView AdviezenDatabase2WeergaveNaam{"AdviezenDatabase2WeergaveNaam"};

inline constexpr QLatin1StringView AdviesdossierDocumentenMap{"AdviesdossierDocumentenMap"};

// Installation values under the machine hive.
inline constexpr QLatin1StringView DatabaseDir{"DatabaseDir"};
inline constexpr QLatin1StringView ExecutableDir{"ExecutableDir"};
inline constexpr QLatin1StringView UrlServer{"UrlServer"};
inline constexpr QLatin1StringView InvoerGebruikersnaam{"InvoerGebruikersnaam"};
// A certificate file the office trusts for a web service with a certificate of its own.
inline constexpr QLatin1StringView ServerCertificaat{"ServerCertificaat"};

// Per-user folders and markers.
inline constexpr QLatin1StringView ExportDir{"ExportDir"};
inline constexpr QLatin1StringView ImportDir{"ImportDir"};
inline constexpr QLatin1StringView LogoPath{"LogoPath"};
inline constexpr QLatin1StringView LaatsteHerinnering{"LaatsteHerinnering"};

// Older names some callers still pass; under the current-user hive they stand for the
// advice-database values above.
inline constexpr QLatin1StringView LegacyAdviezenDir{"adviezendir"};
inline constexpr QLatin1StringView LegacyServerName{"servername"};
inline constexpr QLatin1StringView LegacyDatabaseProv{"databaseprov"};
inline constexpr QLatin1StringView LegacyDatabaseName{"databasename"};

} // namespace tarvelo::RegistryNames
