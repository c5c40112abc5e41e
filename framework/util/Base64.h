#pragma once

#include <QByteArray>
#include <QString>

namespace tarvelo {

// Standard Base64 (RFC 4648, with padding, no line breaks), as the XML
// exchange writes binary content into a text node.
QString EncodeBase64(const QByteArray& data);
// The text in the Windows ANSI code page, then encoded.
QString EncodeBase64(const QString& text);

// The bytes of a Base64 text; line breaks and spaces between the characters
// are ignored. An empty text gives no bytes; a text that is no Base64 raises
// runtime error 5 rather than giving half-decoded data.
QByteArray DecodeBase64Bytes(const QString& text);
// The decoded bytes read as text in the Windows ANSI code page.
QString DecodeBase64(const QString& text);

} // namespace tarvelo
