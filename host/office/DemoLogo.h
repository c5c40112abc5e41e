#pragma once

#include <QString>

namespace tarvelo {

// The program's own logo, which a page shows where an office has not chosen
// one of its own: put in the installation folder when it is not there yet.
namespace DemoLogo {
// Returns false when the picture could not be written (the folder is read-only).
bool install(const QString& installationFolder);
QString path(const QString& installationFolder);
} // namespace DemoLogo

} // namespace tarvelo
