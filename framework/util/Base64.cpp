#include "framework/util/Base64.h"

#include "framework/errors/RuntimeError.h"
#include "framework/text/Ansi.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

QString EncodeBase64(const QByteArray& data) { return QString::fromLatin1(data.toBase64()); }

QString EncodeBase64(const QString& text) { return EncodeBase64(toAnsi(text)); }

QByteArray DecodeBase64Bytes(const QString& text)
{
    QByteArray compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() > 0x7f)
            throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Ongeldige Base64-tekst."_s);
        compact.append(char(c.unicode()));
    }
    if (compact.isEmpty())
        return {};
    if (compact.size() % 4 != 0)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Ongeldige Base64-tekst."_s);
    auto result = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Ongeldige Base64-tekst."_s);
    return *result;
}

QString DecodeBase64(const QString& text) { return fromAnsi(DecodeBase64Bytes(text)); }

} // namespace tarvelo
