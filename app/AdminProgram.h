#pragma once

#include "app/CommandLine.h"

#include <QString>

namespace tarvelo {

// The user hive of the registry belongs to the user, not to one office: it
// lives under the user's config folder. Throws RuntimeError when that folder
// cannot be made.
QString userHiveFile();

// An administrator's command as the program runs it: the office opened (and
// made, the first time) in the data folder or on the server the line names,
// no window, no questions; the result on stdout, the reason for a refusal on
// stderr. Returns the exit status.
int runAdminCommand(const CommandLine& line);

} // namespace tarvelo
