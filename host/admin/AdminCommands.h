#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tarvelo {

using namespace Qt::StringLiterals;

class ReferenceApplication;
class Registry;

// One administrator's command of tarvelo-instellingen: get, set, reset,
// lock, unlock, export, import or history, with its arguments.
struct AdminRequest {
    QString command;
    QStringList arguments;
    bool office = false;        // --office: GlobalSetup instead of the user's Setup
    std::optional<QDate> since; // --since, with history
    bool withPasswords = false; // --wachtwoorden, with export
    bool codeNames = false;     // --namen, with history: code names and stored values
    bool shownText = false;     // --toon, with get: the value as the screen shows it
    std::optional<int> revert;  // --terugdraaien N, with history: take back line N
    bool anyway = false;        // --toch, with --terugdraaien: also over a newer change
    // --adviseur names another adviser than the workstation's own: that
    // adviser's passwords are sealed with a key only his own workstation has.
    bool forOtherAdviser = false;
};

struct AdminResult {
    int status = 0; // 0 done, 1 refused (a Dutch message in err), 2 wrong usage
    QString out;
    QString err;
};

// The command line works through the same settings objects, locks, input
// checks and change history as the settings window.
namespace AdminCommands {

enum Status { Done = 0, Refused = 1, WrongUsage = 2 };

bool isCommand(const QString& word);
// The page name older versions gave to changes made here.
inline const QString HistoryPage = u"Opdrachtregel"_s;

// Text for a terminal: control characters (also NUL, DEL, the C1 controls and
// the marks that reverse the direction of text) shown escaped ("\x1B",
// "\r", "\u202E"), so that a stored value cannot recolour, move or clear
// the screen; line breaks stay unless lineBreaks is false.
QString escapedControls(const QString& text, bool lineBreaks = true);

// The word that stands for "read the value from the input" with set of a
// secret, so that a password need not stand in the process list or the history.
inline const QString ValueFromInput = u"-"_s;

// passphrase is asked when a file's passwords are written or read; it may
// throw RuntimeError (a Dutch reason) to refuse the command. secretValue is
// asked for the value of a secret given as ValueFromInput.
AdminResult run(ReferenceApplication& app, const AdminRequest& request,
                const std::function<std::optional<QString>()>& passphrase,
                const std::function<std::optional<QString>(const QString& name)>& secretValue = {});

// Why a request is wrong usage (status WrongUsage); none when it is not.
std::optional<AdminResult> wrongUsage(const AdminRequest& request);

// lock and unlock: they change the administrator's lock list in the machine
// hive and nothing else, so they need no office and make none. A hive the
// user may not write (machineHiveFile) is refused as the administrator's.
AdminResult lock(const Registry& registry, const AdminRequest& request, const QString& machineHiveFile);

} // namespace AdminCommands
} // namespace tarvelo
