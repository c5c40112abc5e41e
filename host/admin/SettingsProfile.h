#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class SettingsObject;

// What is wrong with a settings file that is refused as a whole.
enum class ProfileProblem { Unreadable, Truncated, NotASettingsFile, Damaged, NewerVersion, WrongPassphrase };

// A settings file refused as a whole; nothing was changed.
class ProfileError : public std::exception {
public:
    ProfileError(ProfileProblem problem, QString message) : problem_(problem), message_(std::move(message)) {}
    ProfileProblem problem() const { return problem_; }
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return "settings file refused"; }

private:
    ProfileProblem problem_;
    QString message_;
};

// One setting whose value in the file differs from the current one.
struct ProfileDifference {
    QString object; // "Setup" or "GlobalSetup"
    QString name;
    QString current; // as text; empty for a secret
    QString proposed;
    bool secret = false;
    QVariant value; // the file's value, ready to apply
};

// What an import would do: the differences to choose from, and what it will
// not apply (unknown names, values that do not fit, locked settings).
struct ImportPlan {
    std::vector<ProfileDifference> differences;
    QStringList unknown;
    QStringList misfits;
    QStringList locked;
    bool hasSecrets = false;  // the file carries encrypted passwords
    bool secretsRead = false; // and they were opened with the passphrase
    QByteArray officeKey;     // the key of the office's passwords, when the file carries it
};

// Every user and office setting with its name, type and value in one
// versioned JSON file; passwords only when a passphrase is given, encrypted
// with a key derived from it (Argon2id, then XSalsa20-Poly1305).
namespace SettingsProfile {

inline constexpr int Version = 1;
inline const QString Format = u"tarvelo-instellingen"_s;

// With a passphrase the file also carries officeKey (the key of the
// office's passwords, for a workstation that has not received it yet), and
// leaves out the passwords named in unreadable ("Setup.Name"): this
// workstation could not open them, and an empty one would clear them where
// they can be read.
QByteArray write(const SettingsObject& setup, const SettingsObject& globalSetup,
                 const std::optional<QString>& passphrase, const QByteArray& officeKey = {},
                 const QStringList& unreadable = {});
// Atomically, readable by its owner only. Throws RuntimeError (Dutch) when it
// cannot be written.
void save(const QString& path, const QByteArray& content);
QByteArray load(const QString& path);

// Reads a file against the current settings. passphrase is asked only when
// the file carries passwords; no answer leaves them out. Throws ProfileError.
ImportPlan plan(const QByteArray& content, const SettingsObject& setup, const SettingsObject& globalSetup,
                const std::function<std::optional<QString>()>& passphrase);
// Applies the chosen differences in one step: every one of them, or none
// (RuntimeError, nothing changed). Returns the "Object.Name" keys applied.
QStringList apply(const std::vector<ProfileDifference>& chosen, SettingsObject& setup, SettingsObject& globalSetup);

// A value as the history and the command line show it.
QString valueText(const QVariant& value);

} // namespace SettingsProfile
} // namespace tarvelo
