#include "framework/text/Ansi.h"

#include <QStringDecoder>

#include <array>

namespace tarvelo {

namespace {

// Windows-1252 equals Latin-1 except for bytes 0x80 to 0x9F. Their characters are taken once
// from the codec, so the conversion runs as one plain loop over the text.
struct Cp1252Row80 {
    std::array<char16_t, 32> character{};

    Cp1252Row80()
    {
        QStringDecoder decoder("windows-1252");
        for (int i = 0; i < 32; ++i) {
            const char byte = char(0x80 + i);
            const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
            character[i] = decoded.size() == 1 ? decoded.at(0).unicode() : u'\uFFFD';
        }
    }

    char byteOf(char16_t c) const
    {
        for (int i = 0; i < 32; ++i) {
            if (character[i] == c)
                return char(0x80 + i);
        }
        return '?';
    }
};

const Cp1252Row80& row80()
{
    static const Cp1252Row80 row;
    return row;
}

} // namespace

QByteArray toAnsi(const QString& text)
{
    const Cp1252Row80& row = row80();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const char16_t* in = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* end = in + text.size();
    while (in < end) {
        const char16_t c = *in++;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            *out++ = char(c);
            continue;
        }
        *out++ = row.byteOf(c);
        // A character beyond the 16-bit range is one character, so it leaves one '?'.
        if (QChar::isHighSurrogate(c) && in < end && QChar::isLowSurrogate(*in))
            ++in;
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QString fromAnsi(const QByteArray& bytes)
{
    const Cp1252Row80& row = row80();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b & 0xE0) == 0x80 ? row.character[b - 0x80] : char16_t(b);
    }
    return text;
}

bool isAnsi(const QString& text)
{
    const Cp1252Row80& row = row80();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            continue;
        if (u == 0xFFFD || row.byteOf(u) == '?')
            return false;
    }
    return true;
}

} // namespace tarvelo
