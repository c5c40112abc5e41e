#include "pages/companies/AgentNumberFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

struct AgentNumberFileTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(u"AgentNrs.txt"_s);

    void write(const QByteArray& bytes, const QString& to = QString())
    {
        QFile out(to.isEmpty() ? path : to);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    static QByteArray encoded(const QString& text, QStringConverter::Encoding encoding, bool bom)
    {
        QStringEncoder encode(encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        return encode(text);
    }
    // Every entry the file gives, one line each, with the date; or how it was refused.
    QStringList entries(AgentNumberFile::Status* second = nullptr)
    {
        AgentNumberFile file(path);
        if (!file.open())
            return {u"niet gevonden"_s};
        if (file.check() != AgentNumberFile::Status::Ok)
            return {u"beschadigd %1"_s.arg(file.damagedLine())};
        QStringList all{u"datum %1"_s.arg(file.date())};
        const AgentNumberFile::Status status = file.read([&](const AgentNumberEntry& e) {
            const auto shown = [](const QVariant& v) { return v.isNull() ? u"NULL"_s : v.toString(); };
            all << QStringList{shown(e.Agent_Id),        shown(e.Cd_Mij), shown(e.Rente),          shown(e.Cd_SoortMij),
                               shown(e.Om_Omschrijving), shown(e.GUID),   e.In_Default ? "v" : "-"}
                       .join(QLatin1Char('|'));
        });
        if (second)
            *second = status;
        EXPECT_EQ(file.entryCount(), all.size() - 1);
        return all;
    }
};

const QString Document = QString::fromUtf8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                           "<quenmarixagentnummers aanmaakdatum=\"03-04-2025\" versie=\"9.1\">\r\n"
                                           "  <agentnummerdata id=\"1\" guid=\"{A}\">\r\n"
                                           "    <agentnummer>12'34 &amp; \"5\"</agentnummer>\r\n"
                                           "    <maatschappijcode>G1</maatschappijcode>\r\n"
                                           "    <renteopslagpercentage>0,25</renteopslagpercentage>\r\n"
                                           "    <soortmaatschappijcode>2</soortmaatschappijcode>\r\n"
                                           "    <omschrijving>Vestiging Één – Zuid</omschrijving>\r\n"
                                           "    <standaard>-1</standaard>\r\n"
                                           "  </agentnummerdata>\r\n"
                                           "  <agentnummerdata id=\"2\">\r\n"
                                           "    <agentnummer>77</agentnummer>\r\n"
                                           "    <maatschappijcode>G2</maatschappijcode>\r\n"
                                           "    <omschrijving> </omschrijving>\r\n"
                                           "  </agentnummerdata>\r\n"
                                           "</quenmarixagentnummers>\r\n");

const QStringList DocumentEntries{"datum 03-04-2025",
                                  QString::fromUtf8("12'34 & \"5\"|G1|0.25|2|Vestiging Één – Zuid|{A}|v"),
                                  "77|G2|NULL|NULL||NULL|-"};

} // namespace

// The exported UTF-16 (with its own declaration, or the UTF-8 one of older exports), UTF-8 with and without a
// byte-order mark and UTF-16 big-endian give the same entries; so do the plain text in Windows-1252 and in UTF-8.
TEST_F(AgentNumberFileTest, EveryEncodingGivesTheSameEntries)
{
    for (const auto& [encoding, bom] : {std::pair{QStringConverter::Utf16LE, true},
                                        {QStringConverter::Utf8, true},
                                        {QStringConverter::Utf8, false},
                                        {QStringConverter::Utf16BE, true}}) {
        write(encoded(Document, encoding, bom));
        EXPECT_EQ(entries(), DocumentEntries) << QStringConverter::nameForEncoding(encoding) << " " << bom;
    }
    // What this program exports now: UTF-16 that says so.
    QString declared = Document;
    declared.replace(u"encoding=\"UTF-8\""_s, u"encoding=\"UTF-16\""_s);
    write(encoded(declared, QStringConverter::Utf16LE, true));
    EXPECT_EQ(entries(), DocumentEntries);
    const QStringList plain{"datum 01-02-2010", QString::fromUtf8("Ré 1|G1|0.3|NULL|NULL|NULL|-"),
                            "2|G2|NULL|NULL|NULL|NULL|-"};
    write("Date=01-02-2010\r\n// commentaar\r\nR\xE9 1;G1;0,3\r\n\r\n2;G2;\r\n");
    EXPECT_EQ(entries(), plain);
    write(QString::fromUtf8("Date=01-02-2010\r\n// commentaar\r\nRé 1;G1;0,3\r\n\r\n2;G2;").toUtf8());
    EXPECT_EQ(entries(), plain);
    // Whitespace before the declaration, and no declaration at all.
    write("\r\n  " + Document.toUtf8());
    EXPECT_EQ(entries(), DocumentEntries);
    write(Document.mid(Document.indexOf(QLatin1String("<quen"))).toUtf8());
    EXPECT_EQ(entries(), DocumentEntries);
    // What other writers may use: single quotes, references, CDATA, comments, empty elements, CR LF in text.
    write("<quenmarixagentnummers aanmaakdatum='01-01-2024'><!-- door een ander programma -->"
          "<agentnummerdata guid = '{B}' ><agentnummer>&#65;&#x42;&lt;&gt;&apos;&quot;</agentnummer>"
          "<maatschappijcode><![CDATA[G&<1]]></maatschappijcode><renteopslagpercentage/>"
          "<omschrijving>regel 1\r\nregel 2</omschrijving><extra><omschrijving>niet</omschrijving></extra>"
          "<omschrijving>tweede</omschrijving></agentnummerdata><?pi x?></quenmarixagentnummers>\r\n<!-- einde -->");
    EXPECT_EQ(entries(), (QStringList{"datum 01-01-2024", "AB<>'\"|G&<1|NULL|NULL|regel 1\nregel 2|{B}|-"}));
    // Earlier exports wrote the declaration twice.
    write(encoded(Document.left(Document.indexOf(QLatin1String("<quen"))) + Document, QStringConverter::Utf16LE, true));
    EXPECT_EQ(entries(), DocumentEntries);
}

// Files read in several pieces: entries and lines that straddle the pieces are read whole.
TEST_F(AgentNumberFileTest, LargeFilesAreReadWhole)
{
    QString xml = u"<quenmarixagentnummers>"_s;
    for (int i = 0; i < 3000; ++i)
        xml += u"<agentnummerdata guid=\"{%1}\"><agentnummer>%1</agentnummer><maatschappijcode>M</maatschappijcode>"
               "<renteopslagpercentage>%2</renteopslagpercentage></agentnummerdata>\r\n"_s.arg(i)
                   .arg(i % 7 * 0.5);
    xml += u"</quenmarixagentnummers>"_s;
    write(encoded(xml, QStringConverter::Utf16LE, true));
    QStringList all = entries();
    ASSERT_EQ(all.size(), 3001);
    EXPECT_EQ(all[2999], "2998|M|1|NULL|NULL|{2998}|-");

    // A CR LF split between two pieces of 64 kB, and a line of exactly the longest length allowed.
    QByteArray text = "Date=\r\n";
    while (text.size() < 64 * 1024 - 200)
        text += "1;G1;0\r\n";
    text += "//" + QByteArray(64 * 1024 - 1 - text.size() - 2, '-') + "\r\n";
    ASSERT_EQ(text.indexOf("\r\n", 64 * 1024 - 10), 64 * 1024 - 1);
    text += "2;G2;1\r\n" + QByteArray(AgentNumberFile::MaxRun - 5, '9') + ";G3;0";
    write(text);
    all = entries();
    EXPECT_EQ(all.first(), "datum ") << "an empty Date= gives no date";
    EXPECT_EQ(all[all.size() - 2], "2|G2|1|NULL|NULL|NULL|-");
    EXPECT_TRUE(all.last().endsWith("999|G3|0|NULL|NULL|NULL|-"));
    write(text + "0");
    EXPECT_EQ(entries(), QStringList{u"beschadigd %1"_s.arg(text.count("\r\n") + 1)});
}

// What makes a file damaged, beyond what the page's own tests show: the line is told for the plain text only.
TEST_F(AgentNumberFileTest, DamagedFiles)
{
    const QByteArray root = "<quenmarixagentnummers>";
    const std::pair<QByteArray, int> cases[] = {
        {"<?xml version=\"1.0\"?><!DOCTYPE q [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
         "<quenmarixagentnummers><agentnummerdata><agentnummer>&b;</agentnummer></agentnummerdata></quenmarixagentnummers>",
         0},
        {root + "<agentnummerdata><agentnummer>" + QByteArray(50 * 1024 * 1024, 'x') + "</agentnummer>", 0},
        {root + "<agentnummerdata><omschrijving " + QByteArray(200 * 1024, 'y') + "=\"1\"/>", 0},
        {root + QByteArray(100, '\0'), 0},
        {root +
             "<agentnummerdata><soortmaatschappijcode>1e12</soortmaatschappijcode></agentnummerdata></quenmarixagentnummers>",
         0},
        {root +
             "<agentnummerdata><renteopslagpercentage>inf</renteopslagpercentage></agentnummerdata></quenmarixagentnummers>",
         0},
        {root + "</quenmarixagentnummers><tweede/>", 0},
        {root + QByteArray(20, 0).replace('\0', "<a>"), 0},
        {root + "<agentnummerdata></agentnummer></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata><agentnummer>A & B</agentnummer></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata><agentnummer>&#1;</agentnummer></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata><agentnummer>&eacute;</agentnummer></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata guid={A}></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata guid='1' guid='2'></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata a='1'b='2'></agentnummerdata></quenmarixagentnummers>", 0},
        {root + "<!-- a -- b --></quenmarixagentnummers>", 0},
        {root + "<agentnummerdata><agentnummer>\x01</agentnummer></agentnummerdata></quenmarixagentnummers>", 0},
        // The office keeps each key once.
        {root + "<agentnummerdata guid='{A}'/><agentnummerdata guid=\"{A}\"/></quenmarixagentnummers>", 0},
        {"tekst<quenmarixagentnummers/>", 1},
        {"<quenmarixagentnummers/>tekst", 0},
        {root + "<agentnummerdata>", 0},
        {"1;G1;0\r\n2;G2;0\n3;G3;0\r\n", 2},
        {"1;G1;0\r\n;G2;0\r\n", 2},
        {"1;G1\r\n", 1},
        {"Date=01-01-2020\x07\r\n", 1},
    };
    for (const auto& [content, line] : cases) {
        write(content);
        EXPECT_EQ(entries(), QStringList{u"beschadigd %1"_s.arg(line)}) << content.left(80).toStdString();
    }
    // UTF-16 files with half a character.
    const QByteArray half("\x00\xD8", 2);
    const auto utf16 = [](const char* text) {
        return encoded(QString::fromLatin1(text), QStringConverter::Utf16LE, false);
    };
    write("\xFF\xFE" + utf16("1;G1;0\r\n") + half + utf16(";G1;0\r\n"));
    EXPECT_EQ(entries(), QStringList{"beschadigd 0"});
    write("\xFF\xFE" + utf16("<quenmarixagentnummers><agentnummerdata><omschrijving>") + half +
          utf16("</omschrijving></agentnummerdata></quenmarixagentnummers>"));
    EXPECT_EQ(entries(), QStringList{"beschadigd 0"});
    write("\xFF\xFE" + utf16("1;G1;0\r\n") + "2");
    EXPECT_TRUE(entries().value(0).startsWith("beschadigd")) << "cut off within a character";
    // An empty file and one of blank lines hold no agent numbers, and are no damage.
    write("");
    EXPECT_EQ(entries(), QStringList{"datum "});
    write("\r\n   \r\n");
    EXPECT_EQ(entries(), QStringList{"datum "});
}

// Both passes read the file that was checked: written to in between, it is refused; replaced
// by another file under its name, the checked one is still what is read.
TEST_F(AgentNumberFileTest, SecondPassReadsTheCheckedFile)
{
    write("1;G1;0\r\n2;G2;0\r\n");
    AgentNumberFile file(path);
    ASSERT_TRUE(file.open());
    ASSERT_EQ(file.check(), AgentNumberFile::Status::Ok);
    write("1;G1;0\r\n3;G3;0\r\n"); // same size, other content, perhaps within the same clock tick
    EXPECT_EQ(file.read([](const AgentNumberEntry&) {}), AgentNumberFile::Status::Changed);

    AgentNumberFile again(path);
    ASSERT_TRUE(again.open());
    ASSERT_EQ(again.check(), AgentNumberFile::Status::Ok);
    const QString other = dir.filePath(u"ander.txt"_s);
    write("9;G9;0\r\n", other);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    QStringList taken;
    EXPECT_EQ(again.read([&](const AgentNumberEntry& e) { taken << e.Agent_Id.toString(); }),
              AgentNumberFile::Status::Ok);
    EXPECT_EQ(taken, (QStringList{"1", "3"}));

    EXPECT_FALSE(AgentNumberFile(dir.filePath(u"bestaat-niet.txt"_s)).open());
    EXPECT_FALSE(AgentNumberFile(dir.path()).open()) << "a folder is no file";
}
