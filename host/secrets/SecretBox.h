#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvelo {

// A password as the office database keeps it: sealed with a key that is not
// in the database (XSalsa20-Poly1305 secretbox). The stored text names the
// key by its id, so that a workstation that lacks the key can tell which one
// is missing:
//     tarvelo-geheim:1:<key id>:<Base64 of nonce and box>
// A text without the prefix is a password as an older version stored it.
namespace SecretBox {

inline constexpr QLatin1StringView Prefix{"tarvelo-geheim:1:"};

QByteArray newKey();
// Sixteen hex digits derived from the key (BLAKE2b); never the key itself.
QString keyId(const QByteArray& key);

bool isSealed(const QString& stored);
// The id of the key a sealed text needs; empty for a plain one.
QString keyIdOf(const QString& stored);

QString seal(const QString& plain, const QByteArray& key);
// The plain text, or nothing when the key is not the one or the text is damaged.
std::optional<QString> open(const QString& sealed, const QByteArray& key);

} // namespace SecretBox
} // namespace tarvelo
