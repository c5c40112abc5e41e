#pragma once

#include "app/CommandLine.h"

#include <QString>

#include <optional>

namespace tarvelo {

// The user hive of the registry belongs to the user and the office of the
// data folder: it lives under the user's config folder, the default data
// folder's where every earlier version kept it, and each other data folder's
// in a folder of its own, so that the database and document folders one
// office records are not shown for another. A data folder's first hive
// starts as a copy of the default one without those office paths, so the
// user's other values stay. Throws RuntimeError when the folder cannot be made.
QString userHiveFile(const QString& dataFolder);
// The machine hive belongs to the machine: the installed program keeps it in
// the machine's folder of the product (see Installation); empty when the
// program runs from a build folder, which keeps it in the data folder.
QString machineHiveFile();

// What the command line reads from its input: passwords, asked on stderr.
// On a terminal they are typed without echo; otherwise each is one line of
// the input.
class AdminInput {
public:
    virtual ~AdminInput() = default;
    virtual bool isTerminal() const;
    // One line without its line end; nothing at the end of the input.
    virtual std::optional<QString> readLine(const QString& prompt, bool hidden);
};

// The file's password. With confirm (an export) it is asked twice on a
// terminal and refused (RuntimeError) when the two differ.
std::optional<QString> askPassphrase(AdminInput& input, bool confirm);
// The value of the secret setting name, for "set NAME -": asked twice on a terminal.
std::optional<QString> askSecret(AdminInput& input, const QString& name);

// An administrator's command as the program runs it: the office opened (and
// made, the first time) in the data folder or on the server the line names,
// no window; the result on stdout, the reason for a refusal on stderr.
// Returns the exit status.
int runAdminCommand(const CommandLine& line, AdminInput& input);
int runAdminCommand(const CommandLine& line);

} // namespace tarvelo
