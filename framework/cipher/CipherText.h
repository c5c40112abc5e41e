#pragma once

#include <QString>

namespace tarvelo {

// Scrambles or unscrambles text for the product's exchange files: each Windows-1252 byte of the
// text is XOR-ed with the next byte of the key, the key starting over when it runs out. Applying
// it twice with the same key gives the text back, provided every character exists in
// Windows-1252 (others become '?'). The result has one character per byte and may hold NULs.
// An empty key is replaced, in the caller's variable too, by the product's default key; an empty
// text returns empty and leaves the key alone.
QString CipherText(const QString& text, QString& key);

} // namespace tarvelo
