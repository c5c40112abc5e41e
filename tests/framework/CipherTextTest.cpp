#include "framework/cipher/CipherText.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

const QString DefaultKey = u"Wq52tmvbxekdrp%7"_s;

// Every character of Windows-1252, NUL included, in byte order.
QString everyAnsiCharacter()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return QStringDecoder("windows-1252").decode(bytes);
}

} // namespace

// Catches a cipher that does not undo itself, changes the length, or leaves text readable.
TEST(CipherText, AppliedTwiceGivesTheTextBack)
{
    const QString all = everyAnsiCharacter();
    ASSERT_EQ(all.size(), 256);
    const std::vector<QString> texts{
        "a",
        "Hypotheekadvies voor de heer Jansen",
        QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC 250.000,- \xE2\x80\x9C"
                          "aflossingsvrij\xE2\x80\x9D"),
        all,
        all.repeated(3),
        QString(1, QChar(0)) + "na een NUL",
    };
    const std::vector<QString> keys{
        DefaultKey,
        "k",
        QString::fromUtf8("\xE2\x82\xAC\xC3\xBF\xC2\x81"),
        QString(300, u'q'),
        QString("a") + QChar(0) + "b",
    };
    for (const QString& text : texts) {
        for (const QString& keyUsed : keys) {
            QString key = keyUsed;
            const QString scrambled = CipherText(text, key);
            EXPECT_EQ(scrambled.size(), text.size());
            EXPECT_NE(scrambled, text);
            EXPECT_EQ(CipherText(scrambled, key), text)
                << text.left(20).toStdString() << " / " << keyUsed.toStdString();
            EXPECT_EQ(key, keyUsed);
        }
    }
}

// Catches a key that restarts wrongly or is not taken byte for byte from the code page.
TEST(CipherText, KeyIsReusedFromItsFirstByte)
{
    const QString text = "abcdefghijklmnopqrst";
    QString key = DefaultKey;
    const QString scrambled = CipherText(text, key);
    ASSERT_EQ(scrambled.size(), 20);
    for (int i = 0; i < 20; ++i) {
        const char16_t expected = text.at(i).unicode() ^ DefaultKey.at(i % 16).unicode();
        EXPECT_EQ(scrambled.at(i).unicode(), expected) << i;
    }

    struct Case {
        QString text;
        QString key;
        QString expected;
    };
    const std::vector<Case> cases{
        // The euro sign is byte 0x80; with key byte 0x01 it becomes 0x81, a byte Windows-1252
        // leaves undefined and which must still come back.
        {QString(u'\u20AC'), QString(QChar(1)), QString(QChar(0x81))},
        {QString(QChar(0x81)), QString(QChar(1)), QString(u'\u20AC')},
        // Latin small y with diaeresis is 0xFF: XOR with 'A' (0x41) gives 0xBE, three quarters.
        {QString(u'\u00FF'), "A", QString(u'\u00BE')},
        // 0x93 (left double quote) XOR 0x20 is 0xB3, superscript three.
        {QString(u'\u201C'), " ", QString(u'\u00B3')},
    };
    for (Case c : cases)
        EXPECT_EQ(CipherText(c.text, c.key), c.expected) << c.text.toStdString();
}

// Catches a result cut short at the first NUL, as a C string would be.
TEST(CipherText, ByteEqualToItsKeyByteBecomesNulAndTheTextStaysWhole)
{
    struct Case {
        QString text;
        QString key;
        QString expected;
    };
    const std::vector<Case> cases{
        {"Wq", QString(), QString(2, QChar(0))},
        {"aWb", "xWy", QString(QChar(0x19)) + QChar(0) + QChar(0x1B)},
        {"Wq52tmvbxekdrp%7W", QString(), QString(17, QChar(0))},
    };
    for (Case c : cases) {
        const QString result = CipherText(c.text, c.key);
        EXPECT_EQ(result.size(), c.text.size());
        EXPECT_EQ(result, c.expected);
    }
}

// Catches the default key not handed back, or used while the text is empty.
TEST(CipherText, EmptyKeyBecomesTheDefaultUnlessTheTextIsEmpty)
{
    QString key;
    const QString withEmptyKey = CipherText("Agentnummers", key);
    EXPECT_EQ(key, DefaultKey);
    QString explicitKey = DefaultKey;
    EXPECT_EQ(withEmptyKey, CipherText("Agentnummers", explicitKey));

    QString untouched;
    EXPECT_TRUE(CipherText(QString(), untouched).isEmpty());
    EXPECT_TRUE(untouched.isEmpty());
    QString own = "eigen";
    EXPECT_TRUE(CipherText("", own).isEmpty());
    EXPECT_EQ(own, "eigen");
}

// Catches characters outside the code page passing through, or leaving more than one byte each.
TEST(CipherText, CharactersOutsideTheCodePageDoNotSurvive)
{
    struct Case {
        QString text;
        QString afterRoundTrip;
    };
    const std::vector<Case> cases{
        {QString::fromUtf8("\xC4\x80"
                           "b"),
         "?b"},
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), "x?y"},
        {QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), "??"},
        {QString(QChar(0xD800)) + "z", "?z"},
        {QString(QChar(0x80)), "?"},
    };
    for (const Case& c : cases) {
        QString key = "sleutel";
        const QString scrambled = CipherText(c.text, key);
        EXPECT_EQ(scrambled.size(), c.afterRoundTrip.size());
        EXPECT_EQ(CipherText(scrambled, key), c.afterRoundTrip) << c.afterRoundTrip.toStdString();
    }
}
