#include "framework/mail/CEmail.h"
#include "framework/errors/RuntimeError.h"
#include "framework/util/Base64.h"
#include "framework/xml/XmlNodes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {
QStringList childNames(const pugi::xml_node& node)
{
    QStringList names;
    for (const pugi::xml_node& child : node.children())
        names << QString::fromUtf8(child.name());
    return names;
}
} // namespace

// A new message: the elements in their fixed order, the defaults, three empty groups and no attachments.
TEST(CEmail, NewMessageHasEveryElementInOrder)
{
    const CEmail mail;
    const auto document = mail.Make_XMLBericht_AsDOMDocument();
    const pugi::xml_node declaration = document->first_child();
    EXPECT_EQ(declaration.type(), pugi::node_declaration);
    EXPECT_STREQ(declaration.attribute("version").value(), "1.0");
    EXPECT_STREQ(declaration.attribute("encoding").value(), "UTF-8");
    const pugi::xml_node root = document->document_element();
    EXPECT_STREQ(root.name(), "tarvelo_emailbericht");
    EXPECT_EQ(childNames(root),
              (QStringList{"onderwerp", "prioriteit", "HTML_opmaak", "inhoud", "afzender", "geadresseerden"}));
    EXPECT_EQ(GetNodeText(root, "prioriteit"), "M Middel");
    EXPECT_EQ(GetNodeText(root, "HTML_opmaak"), "N Nee");
    EXPECT_EQ(GetNodeText(root, "inhoud"), "");
    EXPECT_EQ(childNames(root.child("afzender")), (QStringList{"naam", "emailadres"}));
    EXPECT_EQ(childNames(root.child("geadresseerden")), (QStringList{"aan", "cc", "bcc"}));
    for (const pugi::xml_node& group : root.child("geadresseerden").children())
        EXPECT_FALSE(group.first_child()) << group.name();
    EXPECT_TRUE(mail.Make_XMLBericht_AsString().startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
}

// Ids count from 1 within each group; body and attachments are Base64 of their ANSI bytes.
TEST(CEmail, AddresseesAttachmentsAndPriorities)
{
    CEmail mail;
    mail.Onderwerp = QString::fromUtf8("Offerte één");
    mail.Inhoud = QString::fromUtf8("Regel één\r\n€ 100");
    mail.HTMLOpmaak = true;
    mail.setAfzender({"Kantoor", "info@kantoor.nl"});
    mail.setAntwoordadres({"Antwoord", "antwoord@kantoor.nl"});
    mail.AddAan({"Klant", "klant@voorbeeld.nl"});
    mail.AddCC({"Een", "een@voorbeeld.nl"});
    mail.AddCC({"Twee", "twee@voorbeeld.nl"});
    mail.AddBCC({"Drie", "drie@voorbeeld.nl"});
    mail.AddBijlage(QString::fromLatin1("abc\xe9"), "a.txt", "Tekst", true);
    const auto document = mail.Make_XMLBericht_AsDOMDocument();
    const pugi::xml_node root = document->document_element();
    EXPECT_EQ(GetNodeText(root, "onderwerp"), QString::fromUtf8("Offerte één"));
    EXPECT_EQ(GetNodeText(root, "HTML_opmaak"), "J Ja");
    EXPECT_EQ(DecodeBase64Bytes(GetNodeText(root, "inhoud")), QByteArray("Regel \xe9\xe9n\r\n\x80 100"));
    EXPECT_EQ(GetNodeText(root, "afzender/emailadres"), "info@kantoor.nl");
    EXPECT_FALSE(mail.Make_XMLBericht_AsString().contains("antwoord@kantoor.nl"));
    EXPECT_EQ(GetNodeText(root, "geadresseerden/aan/geadresseerde[@id='1']/naam"), "Klant");
    EXPECT_EQ(GetNodeText(root, "geadresseerden/cc/geadresseerde[@id='1']/naam"), "Een");
    EXPECT_EQ(GetNodeText(root, "geadresseerden/cc/geadresseerde[@id='2']/emailadres"), "twee@voorbeeld.nl");
    EXPECT_EQ(GetNodeText(root, "geadresseerden/bcc/geadresseerde[@id='1']/naam"), "Drie");
    EXPECT_EQ(childNames(root).last(), "bijlagen");
    const pugi::xml_node bijlage = root.child("bijlagen").child("bijlage");
    EXPECT_STREQ(bijlage.attribute("id").value(), "1");
    EXPECT_EQ(childNames(bijlage), (QStringList{"beschrijving", "naam", "inhoud"}));
    EXPECT_EQ(DecodeBase64Bytes(GetNodeText(bijlage, "inhoud")), QByteArray("abc\xe9"));

    const struct {
        int prioriteit;
        const char* text;
    } priorities[] = {{1, "L Laag"}, {2, "M Middel"}, {3, "H Hoog"}, {0, "O Onbekend"}, {7, "O Onbekend"}};
    for (const auto& p : priorities) {
        mail.Prioriteit = p.prioriteit;
        EXPECT_EQ(GetNodeText(mail.Make_XMLBericht_AsDOMDocument()->document_element(), "prioriteit"), p.text);
    }
}

// Keys stay unique after a removal, so no addressee or attachment is lost when another is added.
TEST(CEmail, KeysStayUniqueAfterRemoval)
{
    CEmail mail;
    mail.AddAan({"A", "a@x.nl"});
    mail.AddAan({"B", "b@x.nl"});
    EXPECT_EQ(mail.Aan().keyAt(1), "Aan0");
    EXPECT_EQ(mail.Aan().keyAt(2), "Aan1");
    mail.RemoveAan(1);
    mail.AddAan({"C", "c@x.nl"});
    ASSERT_EQ(mail.CountAan(), 2);
    EXPECT_EQ(mail.Aan().at(u"Aan1"_s)->Naam, "B");
    EXPECT_EQ(mail.Aan().keyAt(2), "Aan2");
    EXPECT_EQ(mail.Aan().at(2)->Naam, "C");
    mail.RemoveAan(u"Aan1"_s);
    EXPECT_EQ(mail.Aan().at(1)->Naam, "C");
    EXPECT_THROW(mail.RemoveAan(5), RuntimeError);

    mail.AddCC({"X", "x@x.nl"});
    mail.AddBCC({"Y", "y@x.nl"});
    EXPECT_EQ(mail.CC().keyAt(1), "CC0");
    EXPECT_EQ(mail.BCC().keyAt(1), "BCC0");

    mail.AddBijlage(u"1"_s, "1.txt", "", false);
    mail.AddBijlage(u"2"_s, "2.txt", "", false);
    mail.RemoveBijlage(1);
    mail.AddBijlage(u"3"_s, "3.txt", "", false);
    EXPECT_EQ(mail.Bijlagen().keyAt(1), "Bijlage1");
    EXPECT_EQ(mail.Bijlagen().keyAt(2), "Bijlage2");
    EXPECT_EQ(mail.CountBijlagen(), 2);
}

// An attachment from a file holds its bytes exactly; an unreadable file raises.
TEST(CEmail, AttachmentFromFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("data.bin");
    const QByteArray bytes("\x00\x01\xff\x80\x81\x8d\x9d tekst", 13);
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    CEmail mail;
    mail.AddBijlageFromFile(file, "data.bin", "Gegevens");
    ASSERT_EQ(mail.CountBijlagen(), 1);
    EXPECT_EQ(mail.Bijlagen().at(1)->Inhoud.size(), bytes.size());
    const pugi::xml_node root = mail.Make_XMLBericht_AsDOMDocument()->document_element();
    EXPECT_EQ(DecodeBase64Bytes(GetNodeText(root, "bijlagen/bijlage/inhoud")), bytes);
    EXPECT_EQ(GetNodeText(root, "bijlagen/bijlage/beschrijving"), "Gegevens");
    EXPECT_THROW(mail.AddBijlageFromFile(folder.filePath("ontbreekt.bin"), "x", ""), RuntimeError);
    EXPECT_EQ(mail.CountBijlagen(), 1);
}
