#include "framework/cipher/CipherText.h"

#include "framework/text/Ansi.h"

#include <QByteArray>

namespace tarvelo {

namespace {

constexpr QLatin1StringView DefaultKey{"Wq52tmvbxekdrp%7"};

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
