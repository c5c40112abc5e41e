#pragma once

#include <QString>

namespace tarvelo {

// The files by which the FileMaker links recognise the folder of their
// software, found whatever the case of their names. A folder that cannot be
// read counts as not having the file.

// Invice: the folder holds "importTV.fp7".
bool hasInviceMarker(const QString& folder);

// Assistent: the path of "ass20.exe" in the folder, without a doubled
// separator when the folder already ends in one (a drive root such as D:\).
QString assistentMarkerPath(const QString& folder);
bool hasAssistentMarker(const QString& folder);

} // namespace tarvelo
