#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvelo {

using namespace Qt::StringLiterals;

// The keys of the passwords, kept outside the office database: in the
// desktop's keyring where one answers, else each in a file that only the
// user may read, in the user's configuration folder ("tarvelo/sleutels").
// A key kept in a file earlier is still found once a keyring answers.
class KeyStore {
public:
    // folder: where key files live; empty is the user's configuration folder.
    explicit KeyStore(const QString& folder = QString());

    std::optional<QByteArray> find(const QString& name) const;
    // Throws RuntimeError (Dutch) when the key can be kept nowhere.
    void keep(const QString& name, const QByteArray& key) const;

    // The names keys go by: the user's own, and each office key by its id.
    static QString userKeyName() { return u"gebruiker"_s; }
    static QString officeKeyName(const QString& id) { return u"kantoor-"_s + id; }

    const QString& folder() const { return folder_; }

private:
    QString filePath(const QString& name) const;

    QString folder_;
};

} // namespace tarvelo
