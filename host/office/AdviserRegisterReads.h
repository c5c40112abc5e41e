#pragma once

#include "host/office/OfficeDatabase.h"

namespace tarvelo {

// What showing the adviser register reads on the server: the office, the
// register, and the advisers' own data and rights, in that order. The start
// reads them ahead with its own reads, since nearly every start shows them.
OfficeDatabase::Reads adviserRegisterReads();

} // namespace tarvelo
