#include "host/secrets/SecretBox.h"

#include "framework/errors/RuntimeError.h"

#include <sodium.h>

using namespace Qt::StringLiterals;

namespace tarvelo::SecretBox {

namespace {

void initSodium()
{
    if (sodium_init() < 0)
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"De versleuteling kan niet worden gestart."_s);
}

const unsigned char* bytes(const QByteArray& a) { return reinterpret_cast<const unsigned char*>(a.constData()); }
unsigned char* bytes(QByteArray& a) { return reinterpret_cast<unsigned char*>(a.data()); }

constexpr size_t PadBlock = 32;

} // namespace

QByteArray newKey()
{
    initSodium();
    QByteArray key(crypto_secretbox_KEYBYTES, '\0');
    crypto_secretbox_keygen(bytes(key));
    return key;
}

QString keyId(const QByteArray& key)
{
    initSodium();
    // A hash under a fixed context: the id tells keys apart and gives away nothing of them.
    static const QByteArray context = "tarvelo-sleutel-id";
    QByteArray id(8, '\0');
    crypto_generichash(bytes(id), size_t(id.size()), bytes(key), size_t(key.size()), bytes(context),
                       size_t(context.size()));
    return QString::fromLatin1(id.toHex());
}

bool isSealed(const QString& stored) { return stored.startsWith(Prefix); }

QString keyIdOf(const QString& stored)
{
    if (!isSealed(stored))
        return {};
    return stored.mid(Prefix.size()).section(u':', 0, 0);
}

QString seal(const QString& plain, const QByteArray& key)
{
    initSodium();
    // Padded to whole blocks, so that the stored text does not tell the
    // password's length.
    QByteArray message = plain.toUtf8();
    size_t padded = 0;
    message.resize(message.size() + qsizetype(PadBlock));
    sodium_pad(&padded, bytes(message), size_t(message.size()) - PadBlock, PadBlock, size_t(message.size()));
    message.resize(qsizetype(padded));
    QByteArray packed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + message.size(), '\0');
    randombytes_buf(packed.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(bytes(packed) + crypto_secretbox_NONCEBYTES, bytes(message), size_t(message.size()),
                          bytes(packed), bytes(key));
    return Prefix + keyId(key) + u':' + QString::fromLatin1(packed.toBase64());
}

std::optional<QString> open(const QString& sealed, const QByteArray& key)
{
    initSodium();
    if (!isSealed(sealed) || key.size() != int(crypto_secretbox_KEYBYTES) || keyIdOf(sealed) != keyId(key))
        return std::nullopt;
    const QByteArray packed = QByteArray::fromBase64(sealed.mid(Prefix.size()).section(u':', 1).toLatin1());
    const int overhead = int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES);
    if (packed.size() < overhead)
        return std::nullopt;
    QByteArray message(packed.size() - overhead, '\0');
    if (crypto_secretbox_open_easy(bytes(message), bytes(packed) + crypto_secretbox_NONCEBYTES,
                                   size_t(packed.size()) - crypto_secretbox_NONCEBYTES, bytes(packed), bytes(key)) != 0)
        return std::nullopt;
    size_t length = 0;
    if (sodium_unpad(&length, bytes(message), size_t(message.size()), PadBlock) != 0)
        return std::nullopt;
    message.resize(qsizetype(length));
    return QString::fromUtf8(message);
}

} // namespace tarvelo::SecretBox
