#pragma once

#include "host/secrets/KeyStore.h"

#include <QJsonObject>
#include <QStringList>

namespace tarvelo {

// The passwords of a settings record as the office database keeps them:
// sealed, an adviser's own (Setup) with the user's key, the office's
// (GlobalSetup) with the office key. Neither key is in the database; a
// workstation gets the office key once, with a settings file the
// administrator exports with its passwords.
class RecordSecrets {
public:
    enum class Owner { Adviser, Office };

    explicit RecordSecrets(KeyStore keys) : keys_(std::move(keys)) {}

    // Replaces each sealed password of a stored record by its plain text. One
    // that this workstation cannot open (its key is missing or it is damaged)
    // becomes empty, and its name is added to unreadable. A plain password (as
    // an older version stored it) is read as it is.
    void open(QJsonObject& record, Owner owner, QStringList* unreadable) const;
    // Whether a record holds a password that is not sealed yet.
    static bool holdsPlain(const QJsonObject& record);
    // Seals each plain password of a record about to be stored; sealed ones
    // stay as they are. Throws RuntimeError (Dutch) when an office password
    // must be sealed and this workstation lacks the office's key.
    void seal(QJsonObject& record, Owner owner) const;

    // The office key this workstation uses for the office record as stored,
    // for a settings file with passwords; empty when it has none.
    QByteArray officeKeyFor(const QJsonObject& storedRecord) const;
    // Keeps an office key received from the administrator.
    void receiveOfficeKey(const QByteArray& key) const;

    static bool isSecret(const QString& name);

private:
    QByteArray keyFor(const QJsonObject& record, Owner owner) const;

    KeyStore keys_;
};

} // namespace tarvelo
