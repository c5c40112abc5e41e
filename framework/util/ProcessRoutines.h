#pragma once

#include <QString>

namespace tarvelo {

// What RunAndWait returns besides a program's own exit code.
namespace RunResult {
// The program was still running when the time-out passed (it has been stopped).
inline constexpr int StillActive = 259;
// The program could not be started (not found, not executable, empty command line).
inline constexpr int NotStarted = -1;
// The program ended on a signal instead of exiting.
inline constexpr int Crashed = -2;
} // namespace RunResult

// Starts commandLine (program and arguments, an argument with spaces in double
// quotes; the program found on PATH when it has no folder), waits at most timeoutMs milliseconds and
// returns its exit code, or one of RunResult. The program never outlives the call.
// A negative time-out counts as 0.
int RunAndWait(const QString& commandLine, int timeoutMs);

// Counts the processes of this machine (the own process excepted) whose
// executable name ends in exeName, case ignored, and kills them when kill is
// set. An empty exeName does nothing and leaves count alone.
void KillProcessByName(const QString& exeName, int& count, bool kill);

} // namespace tarvelo
