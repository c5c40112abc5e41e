#include "app/ChangeHistoryDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/TariefSettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/SettingCatalogue.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/ChangeHistory.h"
#include "tests/app/WidgetTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

// The settings window over every page of the demo office.
class ChangeHistoryWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgetApplication();
        host = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
        open();
    }
    void TearDown() override
    {
        window.reset();
        host.reset();
    }
    void open()
    {
        window.reset();
        window = std::make_unique<SettingsWindow>(std::as_const(*host).pageRegistry(), *host);
        window->show();
    }
    // Saves as "Opslaan" does and opens a new window, as the user would.
    void saveAndReopen()
    {
        ASSERT_TRUE(window->save());
        open();
    }
    template <class T>
    T& control(const QString& name, int index = -1)
    {
        return window->currentPage()->form().get<T>(name, index);
    }
    // The list's lines as "setting|old|new|page|how".
    static QStringList lines(const ChangeHistoryDialog& dialog)
    {
        QStringList all;
        for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = dialog.list()->topLevelItem(i);
            if (row->isHidden())
                continue;
            all << QStringList{row->text(ChangeHistoryDialog::Setting), row->text(ChangeHistoryDialog::OldValue),
                               row->text(ChangeHistoryDialog::NewValue), row->text(ChangeHistoryDialog::Page),
                               row->text(ChangeHistoryDialog::How)}
                       .join(u'|');
        }
        return all;
    }
    static int lineOf(const ChangeHistoryDialog& dialog, const QString& setting)
    {
        int shown = 0;
        for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = dialog.list()->topLevelItem(i);
            if (row->isHidden())
                continue;
            if (row->text(ChangeHistoryDialog::Setting) == setting)
                return shown;
            ++shown;
        }
        return -1;
    }

    QTemporaryDir dir;
    StrictUi ui;
    std::unique_ptr<ReferenceApplication> host;
    std::unique_ptr<SettingsWindow> window;
};

} // namespace

// Catches a history or an import preview in code names and stored values:
// changes on five pages read as their captions, the texts of their values and
// the page that shows them; the password shows only that it changed; the
// filters narrow the list by page and by setting (accent-blind), and the code
// names are a column that can be shown.
TEST_F(ChangeHistoryWindowTest, HistoryAndImportReadInTheScreensWords)
{
    // Asked of the window open at the time: a reopened window learns the words again.
    const auto now = [&](const QString& name) {
        return shownValue(window->catalogue().find(u"Setup"_s, name), host->userSetup().value(name));
    };
    const QString oldTermijn = now(u"UpdateTermijn"_s);
    const QString oldMethode = now(u"AdvieskostenMethode1"_s);
    const QString oldHuur = now(u"Huurstijging"_s);
    const QString oldElements = now(u"ElementsGebruikersnaam"_s);
    ASSERT_NE(oldTermijn, u"Wekelijks"_s);
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    ComboBox& termijn = control<ComboBox>(u"cboUpdateTermijn"_s);
    for (int i = 0; i < termijn.listCount(); ++i) {
        if (termijn.itemData(i) == 7)
            termijn.select(i);
    }
    control<CheckBox>(u"chkProxy"_s).click();
    control<TextBox>(u"txtWachtwoord"_s).type(u"Geheim!123"_s);
    ASSERT_TRUE(window->showPage(u"SetupTarief"_s));
    control<ComboBox>(u"cboAdvieskosten"_s, 1).select(1);
    ASSERT_TRUE(window->showPage(u"SetupOverig"_s));
    TextBox& huur = control<TextBox>(u"txtHuurstijging"_s);
    huur.type(u"2,5"_s);
    huur.leave();
    ASSERT_TRUE(window->showPage(u"SetupDocumenten"_s));
    control<CheckBox>(u"chkTonenOpAanvraagformulier"_s).click();
    ASSERT_TRUE(window->showPage(u"SetupKopElements"_s));
    if (!control<CheckBox>(u"chkKoppeling"_s).isChecked())
        control<CheckBox>(u"chkKoppeling"_s).click();
    control<TextBox>(u"txtGebruikersnaam"_s).type(u"kantoor1"_s);
    saveAndReopen();

    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    const QStringList all = lines(*history);
    const QString how = ChangeHistory::InWindow;
    for (const QString& expected :
         {u"Zoeken naar updates|%1|Wekelijks|Updates, opslaan en proxy|"_s.arg(oldTermijn) + how,
          u"Proxy-instellingen gebruiken|Nee|Ja|Updates, opslaan en proxy|"_s + how,
          u"Proxyserver: Wachtwoord|(gewijzigd)|(gewijzigd)|Updates, opslaan en proxy|"_s + how,
          u"Overige bemiddelingsvergoeding|%1|Per uur|Tarieven|"_s.arg(oldMethode) + how,
          u"Huurstijging|%1|2,5%|Berekeningen|"_s.arg(oldHuur) + how,
          u"Koppeling Elements: Gebruikersnaam|%1|kantoor1|Koppeling Elements|"_s.arg(oldElements) + how}) {
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString() << "\n" << all.join(u'\n').toStdString();
    }
    EXPECT_FALSE(all.join(u'\n').contains(u"Geheim!123"_s));
    EXPECT_TRUE(history->list()->isColumnHidden(ChangeHistoryDialog::Name));
    history->showCodeNames(true);
    EXPECT_FALSE(history->list()->isColumnHidden(ChangeHistoryDialog::Name));

    history->filter(u"SetupTarief"_s, QString(), QString());
    EXPECT_EQ(lines(*history),
              QStringList{u"Overige bemiddelingsvergoeding|%1|Per uur|Tarieven|"_s.arg(oldMethode) + how});
    history->filter(QString(), QString(), u"PROXY-INSTELLINGEN"_s);
    EXPECT_EQ(history->shownLines(), 1);
    history->filter(QString(), QString(), u"AdvieskostenMethode1"_s);
    EXPECT_EQ(history->shownLines(), 1) << "the code name finds the line too";
    history->filter(QString(), QString(), QString(), QDate::currentDate().addDays(1));
    EXPECT_EQ(history->shownLines(), 0);
    history->filter(QString(), u"Iemand anders"_s, QString());
    EXPECT_EQ(history->shownLines(), int(all.size())) << "an unknown adviser filters nothing out";

    // The import preview of a profile that differs on those pages.
    Settings other;
    other.fromMap(host->userSetup().toMap());
    other.get<TariefSettings>().AdvieskostenMethode1 = 1;
    const QString oldBedrag = now(u"AdvieskostenBedrag1"_s);
    other.get<TariefSettings>().AdvieskostenBedrag1 = 1250.5;
    other.get<ProxySettings>().ProxyWachtwoord = u"Anders!456"_s;
    other.get<NotarisSettings>().AddNotaris().Naam = u"Notariskantoor De Brug"_s;
    const ImportPlan plan =
        SettingsProfile::plan(SettingsProfile::write(other, host->officeSetup(), u"zin"_s), host->userSetup(),
                              host->officeSetup(), [] { return std::optional<QString>(u"zin"_s); });
    ImportPreviewDialog preview(plan, window->catalogue());
    QStringList previewed;
    auto* list = preview.findChild<QTreeWidget*>(u"lvwVerschillen"_s);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        previewed << QStringList{row->text(0), row->text(1), row->text(2), row->text(3)}.join(u'|');
    }
    const int notaries = host->userSetup().get<NotarisSettings>().Notarissen.count();
    for (
        const QString& expected :
        {u"Overige bemiddelingsvergoeding|Per uur|Vast bedrag|Tarieven"_s,
         u"Overige bemiddelingsvergoeding: bedrag|%1|1.250,50|Tarieven"_s.arg(oldBedrag),
         u"Proxyserver: Wachtwoord|(gewijzigd)|(gewijzigd)|Updates, opslaan en proxy"_s,
         u"Notariskantoren|%1 notariskantoren|%2 notariskantoren (toegevoegd: Notariskantoor De Brug)|Notariskantoren"_s
             .arg(notaries)
             .arg(notaries + 1)}) {
        EXPECT_TRUE(previewed.contains(expected)) << expected.toStdString() << "\n"
                                                  << previewed.join(u'\n').toStdString();
    }
}

// Catches a take-back that bypasses the page or is not recorded: unticking the
// proxy cleared its three fields; taking that line back ticks it again through
// the page, which restores nothing else, and the take-back is a line of its
// own. A change made again since asks first; a lock refuses it with its own
// message and changes nothing.
TEST_F(ChangeHistoryWindowTest, TakingAChangeBackGoesThroughThePage)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkProxy"_s).click();
    control<TextBox>(u"txtProxyadres"_s).type(u"proxy.kantoor.nl:8080"_s);
    control<TextBox>(u"txtGebruikersnaam"_s).type(u"jan"_s);
    saveAndReopen();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkProxy"_s).click();
    EXPECT_EQ(host->userSetup().get<ProxySettings>().ProxyAdres.get(), QString());
    saveAndReopen();

    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    const int line = lineOf(*history, u"Proxy-instellingen gebruiken"_s);
    ASSERT_GE(line, 0);
    ASSERT_TRUE(lines(*history)[line].startsWith(u"Proxy-instellingen gebruiken|Ja|Nee|"_s)) << "newest first";
    ui.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(history->revertLine(line));
    ProxySettings& proxy = host->userSetup().get<ProxySettings>();
    EXPECT_TRUE(proxy.ProxyGebruiken.get());
    EXPECT_EQ(proxy.ProxyAdres.get(), QString()) << "ticking the proxy back on restores nothing else";
    EXPECT_EQ(proxy.ProxyGebruikersnaam.get(), QString());
    const ChangeEntry newest = host->changeHistory().front();
    EXPECT_EQ(newest.setting, u"ProxyGebruiken"_s);
    EXPECT_EQ(newest.newValue.value_or(QString()), u"true"_s);
    EXPECT_EQ(newest.how, ChangeHistory::ByRevert);
    EXPECT_EQ(newest.page, u"SetupProxy"_s);
    EXPECT_EQ(lines(*history).front(), u"Proxy-instellingen gebruiken|Nee|Ja|Updates, opslaan en proxy|terugdraaien"_s)
        << "the list shows the take-back at once";

    // The address typed first was changed since: taking it back asks first.
    history.reset(); // the window owns it and goes with the reopening
    window->showPage(u"SetupProxy"_s);
    control<TextBox>(u"txtProxyadres"_s).type(u"ander.kantoor.nl:80"_s);
    saveAndReopen();
    history = window->historyDialog(true);
    const int first = int(lines(*history).indexOf(
        u"Proxyserveradres|(leeg)|proxy.kantoor.nl:8080|Updates, opslaan en proxy|"_s + ChangeHistory::InWindow));
    ASSERT_GE(first, 0) << lines(*history).join(u'\n').toStdString();
    const std::size_t before = host->changeHistory().size();
    ui.answerMessage(MsgResult::No);
    EXPECT_FALSE(history->revertLine(first));
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].text, u"Proxyserveradres is na deze wijziging opnieuw gewijzigd: de waarde is nu "
                                     "ander.kantoor.nl:80.\r\n\r\nWilt u Proxyserveradres terugzetten?\r\n\r\n"
                                     "Nu: ander.kantoor.nl:80\r\nWordt weer: (leeg)"_s)
        << ui.messages()[1].text.toStdString();
    EXPECT_EQ(host->changeHistory().size(), before);

    // A lock refuses the take-back with the lock's message.
    ASSERT_TRUE(AdministratorLocks::store(host->registry(), ChangeHistory::SetupObject, u"ProxyGebruiken"_s, true));
    host->applyAdministratorLocks();
    history = window->historyDialog(true);
    ui.answerMessage(MsgResult::OK);
    EXPECT_FALSE(history->revertLine(lineOf(*history, u"Proxy-instellingen gebruiken"_s)));
    ASSERT_EQ(ui.messages().size(), 3u);
    EXPECT_TRUE(ui.messages()[2].text.contains(SettingsObject::lockedMessage())) << ui.messages()[2].text.toStdString();
    EXPECT_TRUE(proxy.ProxyGebruiken.get());
    EXPECT_EQ(host->changeHistory().size(), before);
}

// Taking a change back or importing filled every open page afresh: the company the user had
// chosen in the company overview went back to the first. The pages show the new values and
// the user stays where they were on each.
TEST_F(ChangeHistoryWindowTest, ATakeBackOrAnImportLeavesTheUserWhereTheyWere)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkProxy"_s).click();
    saveAndReopen();
    const QString profile = dir.filePath(u"profiel.json"_s);
    ASSERT_TRUE(window->exportTo(profile, std::nullopt));
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    const CheckBox& proxy = control<CheckBox>(u"chkProxy"_s);
    ASSERT_TRUE(window->showPage(u"MijOverzicht"_s));
    ListView& companies = control<ListView>(u"lvwMaatschappij"_s);
    ASSERT_GE(companies.count(), 3);
    ASSERT_TRUE(companies.clickItem(3));
    const QString chosen = companies.item(3).key();
    const auto stillChosen = [&] { return companies.selectedItem() && companies.selectedItem()->key() == chosen; };

    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    ui.answerMessage(MsgResult::Yes);
    ASSERT_TRUE(history->revertLine(lineOf(*history, u"Proxy-instellingen gebruiken"_s)));
    EXPECT_FALSE(proxy.isChecked());
    EXPECT_TRUE(stillChosen());

    const auto all = [](ImportPlan& plan, std::vector<ProfileDifference>& lines) {
        lines = plan.differences;
        return true;
    };
    ASSERT_TRUE(window->importFrom(
        profile, [] { return std::optional<QString>(); }, all));
    EXPECT_TRUE(proxy.isChecked());
    EXPECT_TRUE(stillChosen());
}

// Catches an export that leaves half a file or fails silently: the history
// goes out as semicolon-separated text through the file dialog; a folder that
// cannot be written is reported and no file is left.
TEST_F(ChangeHistoryWindowTest, HistoryIsExportedAsCsvOrNotAtAll)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkAutoDownload"_s).click();
    saveAndReopen();
    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    const QString good = dir.filePath(u"wijzigingen.csv"_s);
    ui.chooseSaveFileNext(good);
    history->findChild<QPushButton*>(u"cmdExporteren"_s)->click();
    QFile written(good);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QStringList rows =
        QString::fromUtf8(written.readAll()).remove(QChar(0xFEFF)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(
        rows[0].startsWith(u"Nr.;Datum en tijd;Instelling;Oude waarde;Nieuwe waarde;Adviseur;Pagina;Gewijzigd via"_s))
        << rows[0].toStdString();
    EXPECT_TRUE(rows[1].contains(u";Updates automatisch downloaden;Nee;Ja;"_s)) << rows[1].toStdString();

    // A folder that cannot be written: a file stands where it should be.
    const QString blocked = dir.filePath(u"geen-map"_s);
    {
        QFile plain(blocked);
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    const QString bad = blocked + u"/wijzigingen.csv"_s;
    ui.chooseSaveFileNext(bad);
    ui.answerMessage(MsgResult::OK);
    history->findChild<QPushButton*>(u"cmdExporteren"_s)->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages()[0].text.startsWith(u"De wijzigingsgeschiedenis kan niet worden opgeslagen in"_s))
        << ui.messages()[0].text.toStdString();
    QStringList left = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::Files | QDir::Hidden);
    left.removeIf([](const QString& f) { return !f.contains(u"wijzigingen"_s); });
    EXPECT_EQ(left, QStringList{u"wijzigingen.csv"_s}) << "no half file beside the good one";
}

// Catches a history that changes something by accident: Enter in the filter
// box closes the list (Sluiten is the default, taking back is not); taking a
// line back asks first, naming the setting, its value now and the value it
// gets again, and No changes nothing.
TEST_F(ChangeHistoryWindowTest, EnterClosesTheHistoryAndATakeBackAsksFirst)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    const bool before = host->userSetup().get<UpdateSettings>().AutoDownload;
    control<CheckBox>(u"chkAutoDownload"_s).click();
    saveAndReopen();
    const std::size_t stored = host->changeHistory().size();

    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    auto* close = history->findChild<QPushButton*>(u"cmdSluiten"_s);
    auto* revert = history->findChild<QPushButton*>(u"cmdTerugdraaien"_s);
    ASSERT_NE(close, nullptr);
    ASSERT_NE(revert, nullptr);
    history->show();
    runEvents();
    // Tab reads the filters above the list before the list.
    QStringList walked;
    for (QWidget* w = history->findChild<QWidget*>(u"cboPagina"_s); w && walked.size() < 12;
         w = w->nextInFocusChain()) {
        if (w->objectName().startsWith(u"cbo"_s) || w->objectName().startsWith(u"txt"_s) ||
            w->objectName().startsWith(u"chk"_s) || w->objectName().startsWith(u"dat"_s) ||
            w->objectName().startsWith(u"lvw"_s))
            walked << w->objectName();
    }
    EXPECT_EQ(walked.mid(0, 5).join(u' '), u"cboPagina cboAdviseur txtInstelling chkPeriode datVan"_s);
    EXPECT_LT(walked.indexOf(u"txtInstelling"_s), walked.indexOf(u"lvwWijzigingen"_s))
        << walked.join(u' ').toStdString();
    history->list()->setCurrentItem(history->list()->topLevelItem(0));
    EXPECT_TRUE(close->isDefault());
    EXPECT_FALSE(revert->isDefault());
    auto* filter = history->findChild<QLineEdit*>(u"txtInstelling"_s);
    ASSERT_NE(filter, nullptr);
    filter->setFocus();
    QTest::keyClicks(filter, u"upd"_s);
    QTest::keyClick(filter, Qt::Key_Return);
    runEvents();
    EXPECT_FALSE(history->isVisible()) << "Enter closes the list";
    EXPECT_EQ(bool(host->userSetup().get<UpdateSettings>().AutoDownload), !before) << "and takes nothing back";
    EXPECT_EQ(host->changeHistory().size(), stored);
    EXPECT_TRUE(ui.messages().empty());

    const int line = lineOf(*history, u"Updates automatisch downloaden"_s);
    ASSERT_GE(line, 0);
    const QString yes = u"Ja"_s, no = u"Nee"_s;
    const QString question =
        u"Wilt u Updates automatisch downloaden terugzetten?\r\n\r\nNu: %1\r\nWordt weer: %2"_s.arg(before ? no : yes,
                                                                                                    before ? yes : no);
    ui.answerMessage(MsgResult::No);
    EXPECT_FALSE(history->revertLine(line));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, question);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(bool(host->userSetup().get<UpdateSettings>().AutoDownload), !before) << "No changes nothing";
    EXPECT_EQ(host->changeHistory().size(), stored);

    ui.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(history->revertLine(line));
    EXPECT_EQ(bool(host->userSetup().get<UpdateSettings>().AutoDownload), before);
    EXPECT_EQ(host->changeHistory().size(), stored + 1);
}

// Catches a page's history that pretends to show the whole office, or says
// nothing was stored when only the page has none: opened from a page, the
// list is filtered on that page, the "Pagina" filter and the title say so,
// and the user can widen it to every page.
TEST_F(ChangeHistoryWindowTest, APagesHistoryIsFilteredOnThatPage)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkAutoDownload"_s).click();
    saveAndReopen();
    const int all = int(host->changeHistory().size());
    const int onPage = int(host->changeHistory(u"SetupProxy"_s).size());
    ASSERT_GT(onPage, 0);

    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(false);
    auto* page = history->findChild<QComboBox*>(u"cboPagina"_s);
    auto* none = history->findChild<QLabel*>(u"lblGeenWijzigingen"_s);
    ASSERT_NE(page, nullptr);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(page->currentText(), u"Updates, opslaan en proxy"_s);
    EXPECT_EQ(history->windowTitle(), u"Wijzigingen – Updates, opslaan en proxy"_s) << "the page list's dash";
    EXPECT_EQ(history->shownLines(), onPage);
    EXPECT_TRUE(none->isHidden());
    page->setCurrentIndex(page->findText(u"Alle pagina's"_s));
    EXPECT_EQ(history->shownLines(), all);
    EXPECT_EQ(history->windowTitle(), u"Wijzigingen van het kantoor"_s);

    // A page without changes says that of itself, not of the office.
    ASSERT_TRUE(window->showPage(u"SetupOverig"_s));
    history = window->historyDialog(false);
    page = history->findChild<QComboBox*>(u"cboPagina"_s);
    none = history->findChild<QLabel*>(u"lblGeenWijzigingen"_s);
    EXPECT_EQ(page->currentText(), u"Berekeningen"_s);
    EXPECT_EQ(history->shownLines(), 0);
    EXPECT_FALSE(none->isHidden());
    EXPECT_EQ(none->text(), u"Op de pagina Berekeningen zijn nog geen wijzigingen opgeslagen."_s);
}

// Catches columns that scroll sideways: the history and the import preview
// show every column within the list's width on this screen, the widest
// narrowed first and never below its header.
TEST_F(ChangeHistoryWindowTest, TheListsShowTheirColumnsWithoutScrollingSideways)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkAutoDownload"_s).click();
    control<CheckBox>(u"chkProxy"_s).click();
    control<TextBox>(u"txtProxyadres"_s).type(u"een-heel-lange-naam-van-een-proxyserver.kantoor.voorbeeld.nl:8080"_s);
    saveAndReopen();
    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    history->show();
    runEvents();
    QTreeWidget* list = history->list();
    int columns = 0;
    for (int c = 0; c < list->columnCount(); ++c)
        columns += list->isColumnHidden(c) ? 0 : list->columnWidth(c);
    EXPECT_LE(columns, list->viewport()->width()) << "the columns need more room than the list has";
    for (int c = 0; c < list->columnCount(); ++c) {
        if (list->isColumnHidden(c))
            continue;
        EXPECT_GE(list->columnWidth(c), list->header()->sectionSizeHint(c))
            << list->headerItem()->text(c).toStdString() << " is narrower than its header";
    }
}

// Catches a stored value that hides or disguises itself on the screen: an
// address with terminal escapes, a mark that reverses the text and markup
// stays whole in its field (the user edits the value itself), reads escaped
// in the history's columns, and no tooltip draws its markup.
TEST_F(ChangeHistoryWindowTest, StoredControlCharactersAndMarkupShowHarmlessly)
{
    const QString hostile = u"\x1B[31mrood\x1B[0m \u202Egnp.exe <img src=\"x.png\"><b>vet</b>"_s;
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>(u"chkProxy"_s).click();
    control<TextBox>(u"txtProxyadres"_s).type(hostile);
    saveAndReopen();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    runEvents();
    auto* field = window->findChild<QLineEdit*>(u"txtProxyadres"_s);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), hostile);

    std::unique_ptr<ChangeHistoryDialog> history = window->historyDialog(true);
    const QTreeWidgetItem* line = nullptr;
    for (int i = 0; i < history->list()->topLevelItemCount() && !line; ++i)
        if (history->list()->topLevelItem(i)->text(ChangeHistoryDialog::NewValue).contains(u"rood"_s))
            line = history->list()->topLevelItem(i);
    ASSERT_NE(line, nullptr);
    const QString shown = line->text(ChangeHistoryDialog::NewValue);
    EXPECT_EQ(shown, u"\\x1B[31mrood\\x1B[0m \\u202Egnp.exe <img src=\"x.png\"><b>vet</b>"_s);
    EXPECT_EQ(line->text(ChangeHistoryDialog::StoredNew), shown);

    // A tooltip shows the markup as text.
    const auto readsAsWritten = [](const QString& tip) {
        QTextDocument drawn;
        if (Qt::mightBeRichText(tip))
            drawn.setHtml(tip);
        else
            drawn.setPlainText(tip);
        return drawn.toPlainText().contains(u"<b>vet</b>"_s);
    };
    EXPECT_TRUE(readsAsWritten(line->toolTip(ChangeHistoryDialog::NewValue)))
        << line->toolTip(ChangeHistoryDialog::NewValue).toStdString();
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->toolTip().contains(u"vet"_s)) {
            EXPECT_TRUE(readsAsWritten(w->toolTip())) << w->objectName().toStdString();
        }
    }
}
