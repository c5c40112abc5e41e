#pragma once

#include <QString>

namespace tarvelo {

// A caption as it reads: the "&" that marks an access key left out, "&&"
// shown as one "&".
QString withoutAccessKey(const QString& caption);

} // namespace tarvelo
