#pragma once

#include "TarveloExport.h"

#include <QStringList>

namespace tarvelo {

// The tables of the office database, as plain SQL that other engines accept
// too. Table and column names are those the pages use where they name them.
TARVELO_EXPORT const QStringList& officeSchema();

} // namespace tarvelo
