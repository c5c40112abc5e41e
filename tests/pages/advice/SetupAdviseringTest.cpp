#include "framework/cipher/CipherText.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/AdviceTextSettings.h"
#include "framework/text/Ansi.h"
#include "pages/advice/StandaardtekstDocument.h"
#include "tests/support/PageTest.h"

#include <QFile>
#include <pugixml.hpp>
#include <sstream>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QString Apostrof = QString::fromUtf8("Cli\u00ebnt's wens: \"zo snel mogelijk\" aflossen");
const QString Accenten =
    QString::fromUtf8("Caf\u00e9-eigenaar \u00e0 la carte \u2013 \u20ac 1.250 na\u00efef\r\ntweede regel");

// A stored document with one section and subject per (section, subject, cd, id, default, text).
struct Row {
    int onderdeel;
    int onderwerp;
    const char* cd;
    const char* id;
    bool standaard;
    QString tekst;
};
QString documentWith(std::initializer_list<Row> rows)
{
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    auto root = doc.append_child("tarvelo_advisering_standaardtekst");
    for (const Row& r : rows) {
        pugi::xml_node onderdeel =
            root.find_child_by_attribute("motiveringonderdeel", "id", std::to_string(r.onderdeel).c_str());
        if (!onderdeel) {
            onderdeel = root.append_child("motiveringonderdeel");
            onderdeel.append_attribute("id") = r.onderdeel;
        }
        pugi::xml_node onderwerp =
            onderdeel.find_child_by_attribute("motiveringonderwerp", "id", std::to_string(r.onderwerp).c_str());
        if (!onderwerp) {
            onderwerp = onderdeel.append_child("motiveringonderwerp");
            onderwerp.append_attribute("id") = r.onderwerp;
        }
        auto t = onderwerp.append_child("standaardtekst");
        t.append_attribute("cd") = r.cd;
        t.append_attribute("id") = r.id;
        t.append_attribute("default") = r.standaard ? "true" : "false";
        t.text() = r.tekst.toStdString().c_str();
    }
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw);
    return QString::fromStdString(out.str());
}

struct SetupAdviseringTest : PageTest {
    QString& stored() { return stored_ = h.setup().get<AdviceTextSettings>().StandaardtekstenMotivering; }
    void store(const QString& xml) { h.setup().get<AdviceTextSettings>().StandaardtekstenMotivering = xml; }
    ListView& lvw(int i) { return h.control<ListView>("lvwMotiveringen", i); }
    CommandButton& cmd(const char* name, int i = -1) { return h.control<CommandButton>(name, i); }
    ComboBox& onderwerpen() { return h.control<ComboBox>("cboOnderwerpen"); }
    QStringList texts(int i)
    {
        QStringList all;
        for (int r = 1; r <= lvw(i).count(); ++r)
            all << (lvw(i).item(r).checked() ? u"[x] "_s : u"[ ] "_s) + lvw(i).item(r).text();
        return all;
    }
    // The texts of a kind under a subject in the stored document, "default|text".
    QStringList storedTexts(int onderdeel, int onderwerp, const char* cd)
    {
        pugi::xml_document doc;
        const QByteArray xml = stored().toUtf8();
        EXPECT_TRUE(doc.load_buffer(xml.constData(), std::size_t(xml.size()), pugi::parse_default & ~pugi::parse_eol));
        QStringList all;
        const std::string path = "/tarvelo_advisering_standaardtekst/motiveringonderdeel[@id='" +
                                 std::to_string(onderdeel) + "']/motiveringonderwerp[@id='" +
                                 std::to_string(onderwerp) + "']/standaardtekst[@cd='" + cd + "']";
        for (const pugi::xpath_node& n : doc.select_nodes(path.c_str()))
            all << QString::fromUtf8(n.node().attribute("default").value()) + QLatin1Char('|') +
                       QString::fromUtf8(n.node().child_value());
        return all;
    }
    // Plays frmStandaardtekstDetail: types the text and confirms (or closes it when text is null).
    void nextText(std::optional<QString> text, QString* caption = nullptr, QString* shown = nullptr)
    {
        h.ui().whenModal("frmStandaardtekstDetail", [=](Form& f) {
            if (caption)
                *caption = f.caption();
            if (shown)
                *shown = f.get<TextBox>("txtStandaardtekst").text();
            if (!text) {
                f.hide();
                return;
            }
            f.get<TextBox>("txtStandaardtekst").type(*text);
            f.get<CommandButton>("cmdOk").click();
        });
    }
    void chooseImport(const char* button)
    {
        h.ui().whenModal("frmImporterenMotiveringsteksten",
                         [button](Form& f) { f.get<CommandButton>(button).click(); });
    }
    QString writeTvs(const QString& xml, const char* name = "teksten.tvs")
    {
        QString key;
        return writeBytes(toAnsi(CipherText(xml, key)), name);
    }
    QString writeBytes(const QByteArray& bytes, const char* name)
    {
        const QString file = h.folder() + QLatin1Char('/') + QString::fromLatin1(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file;
    }
    void import(const char* mode, const QString& file)
    {
        chooseImport(mode);
        h.ui().chooseOpenFileNext(file);
        cmd("cmdImport").click();
    }
    QString stored_;
};

} // namespace

// An empty document starts with only its root; choosing the first subject and adding creates its section and subject.
TEST_F(SetupAdviseringTest, EmptyDocumentCreatesNodesOnFirstUse)
{
    auto& page = h.open("SetupAdvisering");
    EXPECT_EQ(page.Titel(), "Standaard teksten motivering");
    ASSERT_EQ(onderwerpen().listCount(), 26);
    EXPECT_EQ(onderwerpen().text(), "Advisering - Algemeen");
    EXPECT_EQ(onderwerpen().list(1), "Hypotheek - Verduurzaming");
    EXPECT_EQ(onderwerpen().itemData(25), 26);
    for (int i = 1; i <= 4; ++i) {
        ASSERT_EQ(lvw(i).columnCount(), 1);
        EXPECT_EQ(lvw(i).column(1).text, "Standaard motiveringen");
        EXPECT_EQ(lvw(i).count(), 0);
    }
    EXPECT_EQ(h.control<Label>("lblStandaardTeksten", 2).caption(), "Afwijkende keuze");
    EXPECT_FALSE(cmd("cmdExport").enabled());
    EXPECT_EQ(stored(), "");

    onderwerpen().select(1); // Verduurzaming: section 2, subject 29
    QString caption;
    nextText(u"Wij adviseren de woning te verduurzamen."_s, &caption);
    cmd("cmdAdd", 2).click();
    EXPECT_EQ(caption, "Standaardtekst Afwijkende keuze");
    EXPECT_EQ(storedTexts(2, 29, "keuze"), (QStringList{"false|Wij adviseren de woning te verduurzamen."}));
    EXPECT_TRUE(stored().startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><tarvelo_advisering_standaardtekst>"));
    EXPECT_EQ(texts(2), (QStringList{"[ ] Wij adviseren de woning te verduurzamen."}));
    ASSERT_NE(lvw(2).selectedItem(), nullptr);
    EXPECT_TRUE(lvw(2).selectedItem()->key().startsWith("keuze_{"));
    EXPECT_TRUE(cmd("cmdExport").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// A damaged stored document starts an empty one, which is stored at the next save; nothing is reported as an error.
TEST_F(SetupAdviseringTest, DamagedStoredDocumentStartsEmpty)
{
    store(u"<tarvelo_advisering_standaardtekst><motiveringonderdeel id='1'>"_s);
    h.open("SetupAdvisering");
    EXPECT_EQ(lvw(1).count(), 0);
    EXPECT_TRUE(h.errors().empty());
    nextText(u"Eerste tekst"_s);
    cmd("cmdAdd", 1).click();
    EXPECT_EQ(storedTexts(1, 1, "motivering"), (QStringList{"false|Eerste tekst"}));
}

// Empty texts are never added, nor can a text be emptied; cancelling changes nothing.
TEST_F(SetupAdviseringTest, EmptyAndCancelledTextsChangeNothing)
{
    store(documentWith({{1, 1, "algemeen", "a1", false, u"Blijft staan"_s}}));
    h.open("SetupAdvisering");
    const QString before = stored();
    nextText(u""_s);
    cmd("cmdAdd", 3).click();
    nextText(u"   "_s);
    cmd("cmdAdd", 3).click();
    nextText(std::nullopt);
    cmd("cmdAdd", 3).click();
    lvw(3).clickItem(1);
    nextText(u""_s);
    cmd("cmdEdit", 3).click();
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(texts(3), (QStringList{"[ ] Blijft staan"}));
    EXPECT_EQ(h.app().setupChangedCount(), 0);
}

// Texts with apostrophes and double quotes can be changed, made the default and deleted like any other.
TEST_F(SetupAdviseringTest, TextsWithQuotesCanBeChangedAndDeleted)
{
    store(documentWith({{2, 2, "motivering", "it's-1", false, Apostrof},
                        {2, 2, "motivering", "id\"2", false, u"Rente \"vast\" voor 10 jaar"_s}}));
    h.open("SetupAdvisering");
    onderwerpen().choose(u"Hypotheek - Rentevastperiode"_s);
    ASSERT_EQ(lvw(1).count(), 2);
    lvw(1).clickItem(1);
    QString shown;
    nextText(Apostrof + u" (gewijzigd)"_s, nullptr, &shown);
    cmd("cmdEdit", 1).click();
    EXPECT_EQ(shown, Apostrof);
    EXPECT_EQ(storedTexts(2, 2, "motivering"),
              (QStringList{"false|" + Apostrof + " (gewijzigd)", "false|Rente \"vast\" voor 10 jaar"}));

    lvw(1).checkItem(2, true);
    EXPECT_EQ(storedTexts(2, 2, "motivering"),
              (QStringList{"false|" + Apostrof + " (gewijzigd)", "true|Rente \"vast\" voor 10 jaar"}));

    lvw(1).clickItem(2);
    nextText(u"Rente 'vast' voor 20 jaar"_s);
    lvw(1).doubleClick();
    EXPECT_EQ(storedTexts(2, 2, "motivering"),
              (QStringList{"false|" + Apostrof + " (gewijzigd)", "true|Rente 'vast' voor 20 jaar"}))
        << "a changed default stays the default";

    lvw(1).clickItem(1);
    cmd("cmdDelete", 1).click();
    EXPECT_EQ(storedTexts(2, 2, "motivering"), (QStringList{"true|Rente 'vast' voor 20 jaar"}));
    EXPECT_EQ(texts(1), (QStringList{"[x] Rente 'vast' voor 20 jaar"}));
    EXPECT_TRUE(h.errors().empty());
}

// Ticking a second row leaves exactly one ticked row and one default of that kind under the subject; other kinds keep
// theirs.
TEST_F(SetupAdviseringTest, OneDefaultPerList)
{
    store(documentWith({{1, 1, "bijzonderheden", "b1", true, u"Een"_s},
                        {1, 1, "bijzonderheden", "b2", false, u"Twee"_s},
                        {1, 1, "bijzonderheden", "b3", false, u"Drie"_s},
                        {1, 1, "algemeen", "a1", true, u"Algemeen standaard"_s}}));
    h.open("SetupAdvisering");
    EXPECT_EQ(texts(4), (QStringList{"[x] Een", "[ ] Twee", "[ ] Drie"}));
    lvw(4).checkItem(3, true);
    EXPECT_EQ(texts(4), (QStringList{"[ ] Een", "[ ] Twee", "[x] Drie"}));
    EXPECT_EQ(storedTexts(1, 1, "bijzonderheden"), (QStringList{"false|Een", "false|Twee", "true|Drie"}));
    EXPECT_EQ(storedTexts(1, 1, "algemeen"), (QStringList{"true|Algemeen standaard"}));
    lvw(4).checkItem(3, false);
    EXPECT_EQ(storedTexts(1, 1, "bijzonderheden"), (QStringList{"false|Een", "false|Twee", "false|Drie"}));
}

// Export is possible as soon as the document holds a text anywhere; the file is the enciphered document
// under the save dialog's exact title, name and filter, and imports back byte for byte, accents included.
TEST_F(SetupAdviseringTest, ExportAndOverwriteImportRoundTrip)
{
    const QString original = documentWith(
        {{6, 14, "motivering", "m1", true, Accenten}, {6, 14, "wens", "w1", false, u"Wens van de klant"_s}});
    store(original);
    h.open("SetupAdvisering");
    EXPECT_TRUE(cmd("cmdExport").enabled()) << "the texts are under another subject than the one shown";

    const QString file = h.folder() + u"/export.tvs"_s;
    h.ui().chooseSaveFileNext(file);
    cmd("cmdExport").click();
    ASSERT_EQ(h.ui().fileRequests().size(), 1u);
    const FileRequest& request = h.ui().fileRequests()[0];
    EXPECT_EQ(request.title, "Exporteren Quenmarix advisering standaardteksten");
    EXPECT_EQ(request.fileName, "QuenmarixStandaardteksten.tvs");
    EXPECT_EQ(request.filter, "Quenmarix standaardteksten (*.tvs)|*.tvs");
    EXPECT_EQ(request.defaultExtension, ".tvs");
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QString key;
    EXPECT_EQ(bytes, toAnsi(CipherText(original, key)));
    EXPECT_FALSE(bytes.contains("Wens van de klant")) << "the file is not plain readable text";

    store(documentWith({{1, 1, "motivering", "x", false, u"Wordt overschreven"_s}}));
    h.open("SetupAdvisering");
    import("cmdOverschrijven", file);
    EXPECT_EQ(stored(), original);
    EXPECT_EQ(lvw(1).count(), 0) << "the general subject is gone";
    onderwerpen().choose(u"Vermogensopbouw - Beleggingsprofiel"_s);
    EXPECT_EQ(texts(1), (QStringList{"[x] " + Accenten}));
    ASSERT_EQ(h.ui().fileRequests().size(), 2u);
    EXPECT_EQ(h.ui().fileRequests()[1].title, "Importeren Quenmarix advisering standaardteksten");
    EXPECT_EQ(h.ui().fileRequests()[1].filter, "Quenmarix standaardteksten (*.tvs)|*.tvs");
    EXPECT_TRUE(h.errors().empty());
}

// A character the exchange file cannot hold is refused before anything is asked or written.
TEST_F(SetupAdviseringTest, ExportRefusesCharactersOutsideTheCodePage)
{
    store(documentWith({{1, 1, "motivering", "m1", false, QString::fromUtf8("Rendement \u2265 4%")}}));
    h.open("SetupAdvisering");
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdExport").click();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text,
              QString::fromUtf8("De standaardteksten bevatten het teken '\u2265', dat niet in een exportbestand kan "
                                "worden opgeslagen. Pas de tekst aan en exporteer opnieuw."));
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(h.ui().fileRequests().empty());
}

// Importing in add mode adds what is new (also "wens" texts and texts with quotes) as non-default texts with
// new ids; the same file a second time adds nothing.
TEST_F(SetupAdviseringTest, AddImportSkipsEqualTexts)
{
    const QString file = writeTvs(documentWith({{1, 1, "motivering", "i1", true, Apostrof},
                                                {1, 1, "motivering", "i2", false, u"Nieuw"_s},
                                                {1, 1, "wens", "i3", false, u"Een wens"_s},
                                                {13, 28, "algemeen", "i4", false, Accenten}}));
    store(documentWith({{1, 1, "motivering", "m1", true, Apostrof}, {1, 1, "keuze", "k1", false, u"Nieuw"_s}}));
    h.open("SetupAdvisering");
    import("cmdToevoegen", file);
    EXPECT_EQ(storedTexts(1, 1, "motivering"), (QStringList{"true|" + Apostrof, "false|Nieuw"}));
    EXPECT_EQ(storedTexts(1, 1, "keuze"), (QStringList{"false|Nieuw"}));
    EXPECT_EQ(storedTexts(1, 1, "wens"), (QStringList{"false|Een wens"}));
    EXPECT_EQ(storedTexts(13, 28, "algemeen"), (QStringList{"false|" + Accenten}));
    EXPECT_FALSE(stored().contains("\"i2\"")) << "added texts get new ids";
    EXPECT_EQ(texts(1), (QStringList{"[x] " + Apostrof, "[ ] Nieuw"}));

    const QString afterFirst = stored();
    import("cmdToevoegen", file);
    EXPECT_EQ(stored(), afterFirst);
    EXPECT_TRUE(h.errors().empty());
}

// Catches a document type declaration taken in silently, its entities kept in
// the stored texts: such a file is refused as damaged, as agent-number files are.
TEST_F(SetupAdviseringTest, ImportFileWithADocumentTypeDeclarationIsRefused)
{
    QString hostile = documentWith({{1, 1, "motivering", "i1", false, u"Uit het bestand"_s}});
    const qsizetype afterDeclaration = hostile.indexOf(u"?>"_s) + 2;
    ASSERT_GT(afterDeclaration, 1);
    hostile.insert(afterDeclaration, u"<!DOCTYPE standaardteksten [<!ENTITY lol \"lollollollollol\">"
                                     "<!ENTITY bestand SYSTEM \"file:///etc/passwd\">]>"_s);
    const QString file = writeTvs(hostile, "dtd.tvs");
    store(documentWith({{1, 1, "motivering", "m1", false, u"Blijft"_s}}));
    h.open("SetupAdvisering");
    const QString before = stored();
    for (const char* mode : {"cmdToevoegen", "cmdOverschrijven"}) {
        h.ui().answerMessage(MsgResult::OK);
        const std::size_t shown = h.ui().messages().size();
        import(mode, file);
        ASSERT_EQ(h.ui().messages().size(), shown + 1) << "taken without a word";
        EXPECT_EQ(h.ui().messages().back().text,
                  "Het exportbestand met standaardteksten kan niet ingeladen worden. Het bestand is beschadigd.");
        EXPECT_EQ(stored(), before) << mode;
        EXPECT_FALSE(stored().contains(u"ENTITY"_s));
    }
    EXPECT_TRUE(h.errors().empty());
}

// A damaged, truncated, foreign or empty file is told and changes nothing; a cancelled choice asks for no file.
TEST_F(SetupAdviseringTest, DamagedImportFileChangesNothing)
{
    const QString good = documentWith({{1, 1, "motivering", "i1", false, u"Uit het bestand"_s}});
    QString key;
    const QByteArray whole = toAnsi(CipherText(good, key));
    const QString files[] = {
        writeBytes(whole.left(whole.size() - 20), "afgebroken.tvs"),
        writeBytes(QByteArray("Dit is geen exportbestand\r\n"), "tekst.tvs"),
        writeTvs(u"<?xml version=\"1.0\"?><adressen><adres/></adressen>"_s, "vreemd.tvs"),
        writeBytes(QByteArray(), "leeg.tvs"),
    };
    store(documentWith({{1, 1, "motivering", "m1", false, u"Blijft"_s}}));
    h.open("SetupAdvisering");
    const QString before = stored();
    for (const char* mode : {"cmdToevoegen", "cmdOverschrijven"}) {
        for (const QString& file : files) {
            h.ui().answerMessage(MsgResult::OK);
            import(mode, file);
            EXPECT_EQ(h.ui().messages().back().text,
                      "Het exportbestand met standaardteksten kan niet ingeladen worden. Het bestand is beschadigd.");
            EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Critical);
            EXPECT_EQ(stored(), before) << str(file);
        }
    }
    EXPECT_EQ(texts(1), (QStringList{"[ ] Blijft"}));

    const std::size_t asked = h.ui().fileRequests().size();
    h.ui().whenModal("frmImporterenMotiveringsteksten", [](Form& f) { f.hide(); });
    cmd("cmdImport").click();
    EXPECT_EQ(h.ui().fileRequests().size(), asked);
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(h.errors().empty());
}

// The import question's dialog: its texts, and 2, 1 or 0 for add, overwrite or closed.
TEST_F(SetupAdviseringTest, ImportQuestionDialog)
{
    h.open("SetupAdvisering");
    QString caption, question, toevoegen, overschrijven;
    h.ui().whenModal("frmImporterenMotiveringsteksten", [&](Form& f) {
        caption = f.caption();
        question = f.get<Label>("lblVraag").caption();
        toevoegen = f.get<CommandButton>("cmdToevoegen").caption();
        overschrijven = f.get<CommandButton>("cmdOverschrijven").caption();
        f.hide();
    });
    cmd("cmdImport").click();
    EXPECT_EQ(caption, "Importeren motiveringsteksten");
    EXPECT_EQ(question, "Wilt u de te importeren teksten toevoegen aan de huidige teksten of de huidige teksten "
                        "overschrijven?");
    EXPECT_EQ(toevoegen, "&Toevoegen");
    EXPECT_EQ(overschrijven, "&Overschrijven");
}

// The page paints its lists white whatever colour the host gives it.
TEST_F(SetupAdviseringTest, ListsStayWhite)
{
    auto& page = h.open("SetupAdvisering");
    page.setBackColor(0xE0E0E0);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(lvw(i).backColor(), White);
    EXPECT_EQ(h.form().backColor(), Colour(0xE0E0E0));
}

// Texts without an id, or sharing one (a copied text in an imported file), are listed and edited one by one.
TEST_F(SetupAdviseringTest, RepeatedOrMissingIdsStaySeparateTexts)
{
    store(documentWith({{1, 1, "keuze", "dubbel", false, u"Eerste"_s},
                        {1, 1, "keuze", "dubbel", false, u"Tweede"_s},
                        {1, 1, "keuze", "", false, u"Derde"_s}}));
    h.open("SetupAdvisering");
    EXPECT_EQ(texts(2), (QStringList{"[ ] Eerste", "[ ] Tweede", "[ ] Derde"}));
    EXPECT_TRUE(h.errors().empty());
    lvw(2).clickItem(2);
    nextText(u"Tweede, gewijzigd"_s);
    cmd("cmdEdit", 2).click();
    lvw(2).clickItem(3);
    cmd("cmdDelete", 2).click();
    EXPECT_EQ(storedTexts(1, 1, "keuze"), (QStringList{"false|Eerste", "false|Tweede, gewijzigd"}));
}

// Changing or removing needs a chosen text: the buttons of a list are off while it has no selection.
TEST_F(SetupAdviseringTest, ChangeAndRemoveWaitForAChosenText)
{
    store(documentWith({{2, 2, "motivering", "1", false, u"Vast voor 10 jaar"_s}}));
    h.open("SetupAdvisering");
    onderwerpen().choose(u"Hypotheek - Rentevastperiode"_s);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(cmd("cmdEdit", i).enabled()) << i;
        EXPECT_FALSE(cmd("cmdDelete", i).enabled()) << i;
        EXPECT_TRUE(cmd("cmdAdd", i).enabled()) << i;
    }
    lvw(1).clickItem(1);
    EXPECT_TRUE(cmd("cmdEdit", 1).enabled());
    EXPECT_TRUE(cmd("cmdDelete", 1).enabled());
    EXPECT_FALSE(cmd("cmdEdit", 2).enabled());
    cmd("cmdDelete", 1).click();
    EXPECT_EQ(lvw(1).count(), 0);
    EXPECT_FALSE(cmd("cmdEdit", 1).enabled());
    EXPECT_FALSE(cmd("cmdDelete", 1).enabled());
}
