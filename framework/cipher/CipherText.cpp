#include "framework/cipher/CipherText.h"

#include <QByteArray>
#include <QStringDecoder>

#include <array>

namespace tarvelo {

namespace {

constexpr QLatin1StringView DefaultKey{"Wq52tmvbxekdrp%7"};

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

} // namespace

QString CipherText(const QString& text, QString& key)
{
    if (text.isEmpty())
        return {};
    if (key.isEmpty())
        key = DefaultKey;

    const QByteArray keyBytes = toAnsi(key);
    QByteArray data = toAnsi(text);
    // Every character, even one the code page lacks, leaves a byte: a non-empty key has bytes.
    Q_ASSERT(!keyBytes.isEmpty());

    char* p = data.data();
    const qsizetype size = data.size();
    const char* k = keyBytes.constData();
    const qsizetype keySize = keyBytes.size();
    // Whole passes of the key first: a fixed inner bound the compiler can vectorise.
    qsizetype i = 0;
    for (; i + keySize <= size; i += keySize) {
        for (qsizetype j = 0; j < keySize; ++j)
            p[i + j] ^= k[j];
    }
    for (qsizetype j = 0; i < size; ++i, ++j)
        p[i] ^= k[j];
    return fromAnsi(data);
}

} // namespace tarvelo
