#include "framework/util/Base64.h"
#include "framework/errors/RuntimeError.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

// Standard vectors, ANSI text and padding must encode exactly; decoding must give the same back.
TEST(Base64, EncodesAndDecodesStandardBase64)
{
    struct {
        QByteArray data;
        QString encoded;
    } const cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foobar", "Zm9vYmFy"},
        {QByteArray("\xfb\xff", 2), "+/8="},
        {QByteArray(60, 'a'), "YWFh" + QString("YWFh").repeated(19)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeBase64(c.data), c.encoded);
        EXPECT_EQ(DecodeBase64Bytes(c.encoded), c.data);
    }
    EXPECT_FALSE(EncodeBase64(QByteArray(200, 'x')).contains('\n')); // no line breaks
    // text goes through Windows-1252, one byte per character
    EXPECT_EQ(EncodeBase64(u"Caf\u00e9 \u20ac"_s), "Q2Fm6SCA");
    EXPECT_EQ(DecodeBase64(u"Q2Fm6SCA"_s), u"Caf\u00e9 \u20ac"_s);
    EXPECT_EQ(DecodeBase64(QString()), QString());
}

// Line breaks from other encoders are accepted; text that is no Base64 is an error, not half a result.
TEST(Base64, DecodingToleratesLineBreaksAndRejectsGarbage)
{
    EXPECT_EQ(DecodeBase64(u"Zm9v\r\nYmFy\n"_s), "foobar");
    for (const QString& bad : {u"Zm9v!"_s, u"Zm9"_s, u"Zé=="_s}) {
        try {
            DecodeBase64(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidProcedureCall);
        }
    }
}
