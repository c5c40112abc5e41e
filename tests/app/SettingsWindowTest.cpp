#include "app/SettingsWindow.h"
#include "app/ChangeHistoryDialog.h"
#include "app/CheckProblemsDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"
#include "framework/registry/Registry.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/ChangeHistory.h"
#include "host/office/DataFolder.h"
#include "host/office/OfficeDatabase.h"
#include "pages/general/SetupProxy.h"
#include "pages/general/SetupUpdates.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <map>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

struct Heard {
    QString sender, form, action;
};

// A page for these tests only: one checked field, a button that tells the
// other pages something, and a log of what it heard. On the announcement of
// the save it applies a pending change, as the database page does.
class SetupTestControle final : public SettingsPage {
public:
    SetupTestControle()
        : SettingsPage(u"SetupTestControle"_s),
          lblWaarde(form().add<Label>(form(), u"lblWaarde"_s)),
          txtWaarde(form().add<TextBox>(form(), u"txtWaarde"_s)),
          hntCertificaat(form().add<Hint>(form(), u"hntCertificaat"_s)),
          cmdMeld(form().add<CommandButton>(form(), u"cmdMeld"_s))
    {
        lblWaarde.setCaption(u"Proxy gebruikersnaam"_s);
        hntCertificaat.setText(u"Zorg ervoor dat uw certificaat geïnstalleerd is."_s);
        cmdMeld.setCaption(u"Melden"_s);
        RowLayout(form(), 5000, false).field(lblWaarde, txtWaarde, 2000).text(hntCertificaat).line(cmdMeld).finish();
        txtWaarde.Change.connect([this] { Setup().get<ProxySettings>().ProxyGebruikersnaam = txtWaarde.text(); });
        cmdMeld.Click.connect([this] { app().RaiseNotify(componentName(), u"Adviseurs"_s, u"Refresh"_s, 1); });
    }
    QString Titel() const override { return u"Testcontrole"_s; }
    bool hasValidation() const override { return true; }

    std::vector<Heard> heard;
    QString pendingGebruikersnaam;

protected:
    void Fill() override { txtWaarde.setText(Setup().get<ProxySettings>().ProxyGebruikersnaam); }
    std::vector<ValidationCheck> validationChecks() override
    {
        return {{1, [this] {
                     return txtWaarde.text() != QLatin1String("fout") ||
                            failCheck(u"Vul een geldige waarde in."_s, u"Testcontrole"_s, &txtWaarde);
                 }}};
    }
    void Notify(const QString& sender, const QString& form, const QString& action, const QVariant&) override
    {
        heard.push_back({sender, form, action});
        if (action == QLatin1String("WijzigingenOpslaan") && !pendingGebruikersnaam.isEmpty())
            Setup().get<ProxySettings>().ProxyGebruikersnaam = pendingGebruikersnaam;
    }

public:
    Label& lblWaarde;
    TextBox& txtWaarde;
    Hint& hntCertificaat;
    CommandButton& cmdMeld;
};

// A second listening page, to show that notifications reach every open page.
class SetupTestLuisteraar final : public SettingsPage {
public:
    SetupTestLuisteraar() : SettingsPage(u"SetupTestLuisteraar"_s) { RowLayout(form(), 3000, false).finish(); }
    QString Titel() const override { return u"Testluisteraar"_s; }
    std::vector<Heard> heard;

protected:
    void Fill() override {}
    void Notify(const QString& sender, const QString& form, const QString& action, const QVariant&) override
    {
        heard.push_back({sender, form, action});
    }
};

// A page taller than any window: forty fields in a column.
class SetupTestLang final : public SettingsPage {
public:
    static constexpr int Rows = 40;

    SetupTestLang() : SettingsPage(u"SetupTestLang"_s)
    {
        RowLayout layout(form(), 5000, false);
        for (int i = 0; i < Rows; ++i) {
            Label& label = form().add<Label>(form(), u"lblVeld"_s, {}, i);
            label.setCaption(u"Veld %1"_s.arg(i + 1));
            layout.field(label, form().add<TextBox>(form(), u"txtVeld"_s, {}, i), 2000);
        }
        layout.finish();
    }
    QString Titel() const override { return u"Testlang"_s; }

protected:
    void Fill() override {}
};

// A page that lays itself out at the width it is given, as the window asks:
// its frame takes the width and the page grows taller as it gets narrower,
// never narrower than MinimumWidth.
class SetupTestBreed final : public SettingsPage {
public:
    static constexpr int MinimumWidth = 6000;

    SetupTestBreed() : SettingsPage(u"SetupTestBreed"_s), fraBreed(form().add<Frame>(form(), u"fraBreed"_s))
    {
        fraBreed.setCaption(u"Breed"_s);
        form().setBounds(0, 0, MinimumWidth, 3000);
        form().Resize.connect([this] { layOut(); });
    }
    QString Titel() const override { return u"Testbreed"_s; }

protected:
    void Fill() override {}

private:
    void layOut()
    {
        if (busy_)
            return;
        busy_ = true;
        const int width = std::max(form().width(), MinimumWidth);
        const int height = 90'000'000 / width;
        fraBreed.setBounds(0, 0, width, height);
        const int before = form().height();
        form().setBounds(0, 0, width, height);
        busy_ = false;
        if (form().height() != before)
            HeightChanged();
    }
    Frame& fraBreed;
    bool busy_ = false;
};

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgetApplication();
        // The window over pages whose texts these tests know.
        registry.add<SetupProxy>(PageGroup::Algemeen);
        registry.add<SetupUpdates>(PageGroup::Algemeen);
        registry.add<SetupTestControle>(PageGroup::Kantoor);
        registry.add<SetupTestLuisteraar>(PageGroup::Koppelingen);
        registry.add<SetupTestLang>(PageGroup::Koppelingen);
        registry.add<SetupTestBreed>(PageGroup::Koppelingen);
        start();
    }
    void TearDown() override { stop(); }

    void start(ReferenceApplication::NewOffice office = ReferenceApplication::NewOffice::Empty)
    {
        host = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), office);
        window = std::make_unique<SettingsWindow>(registry, *host);
        window->show();
    }
    void stop()
    {
        window.reset();
        host.reset();
    }
    // A restart of the host: what it loads is what was stored.
    void restart()
    {
        stop();
        start();
    }

    template <class W>
    W* child(const QString& name)
    {
        auto* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(const QString& button) { child<QPushButton>(button)->click(); }
    Form& form() { return window->currentPage()->form(); }
    template <class T>
    T& control(const QString& name, int index = -1)
    {
        return form().get<T>(name, index);
    }
    SetupTestControle& testPage() { return *static_cast<SetupTestControle*>(window->openedPage("SetupTestControle")); }
    // The list's page entries as "group/title" and found controls as "title: text".
    QStringList listed()
    {
        QStringList shown;
        auto* list = child<QTreeWidget>("lvwPaginas");
        for (QTreeWidgetItemIterator it(list); *it; ++it) {
            QTreeWidgetItem* item = *it;
            if (item->data(0, Qt::UserRole).toString().isEmpty())
                continue;
            if (item->data(0, Qt::UserRole + 1).toString().isEmpty())
                shown << item->parent()->text(0) + QLatin1Char('/') + item->text(0);
            else
                shown << item->parent()->text(0) + u": "_s + item->text(0);
        }
        return shown;
    }
    QTreeWidgetItem* listItem(const QString& text)
    {
        auto* list = child<QTreeWidget>("lvwPaginas");
        for (QTreeWidgetItemIterator it(list); *it; ++it) {
            if ((*it)->text(0) == text && !(*it)->data(0, Qt::UserRole).toString().isEmpty())
                return *it;
        }
        ADD_FAILURE() << "niet in de lijst: " << text.toStdString();
        return nullptr;
    }

    // Whether the whole of a widget on the open page can be seen in the
    // scrolling area.
    bool inView(const QWidget* widget)
    {
        auto* scroll = child<QScrollArea>("scrPagina");
        const QRect shown(QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()),
                          scroll->viewport()->size());
        return shown.contains(QRect(widget->mapTo(scroll->widget(), QPoint()), widget->size()));
    }
    QString stored(const QString& valueName)
    {
        return host->registry().RegGetString(Hive::HKEY_CURRENT_USER, WindowKey, valueName, u"-"_s);
    }
    void store(const QString& valueName, const QString& value)
    {
        ASSERT_TRUE(host->registry().RegSetString(Hive::HKEY_CURRENT_USER, WindowKey, valueName, value));
    }

    const QString WindowKey = u"Software\\Tarvelo\\InstellingenVenster"_s;
    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    std::unique_ptr<ReferenceApplication> host;
    std::unique_ptr<SettingsWindow> window;
};

// Catches a window that stores on cancel, or forgets to store on save: only
// "Opslaan" makes Setup and GlobalSetup survive a restart of the host.
TEST_F(SettingsWindowTest, OpslaanStoresAndAnnulerenDoesNot)
{
    for (const bool saving : {true, false}) {
        restart();
        ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
        control<CheckBox>("chkProxy").click();
        control<TextBox>("txtProxyadres").type(u"proxy.delinde.nl:8080"_s);
        control<TextBox>("txtProxyadres").leave();
        host->GlobalSetup().get<UpdateSettings>().UpdateTermijn = 30; // an office-wide setting a page changed
        click(saving ? u"cmdOpslaan"_s : u"cmdAnnuleren"_s);
        EXPECT_EQ(window->result(), saving ? SettingsWindow::Result::Saved : SettingsWindow::Result::Cancelled);
        EXPECT_FALSE(window->isVisible());
        if (!saving) {
            EXPECT_FALSE(host->SettingsObject().get<ProxySettings>().ProxyGebruiken)
                << "after Annuleren the host holds the stored settings";
        }

        restart();
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyGebruiken.get(), saving) << saving;
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyAdres.get(),
                  saving ? u"proxy.delinde.nl:8080"_s : QString());
        EXPECT_EQ(host->GlobalSetup().get<UpdateSettings>().UpdateTermijn.get(), saving ? 30 : 1);
        ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
        EXPECT_EQ(control<TextBox>("txtProxyadres").text(), saving ? u"proxy.delinde.nl:8080"_s : QString());
        // Leave the office as it was for the cancel round.
        host->SettingsObject().resetAll();
        host->GlobalSetup().resetAll();
        host->saveSettings();
    }
}

// Catches a save that stores before the pages heard of it, or without what a
// page applied on hearing it: the announcement comes first, once, and what
// the pages change then is stored too.
TEST_F(SettingsWindowTest, AnnouncesTheSaveBeforeStoring)
{
    std::vector<Heard> announced;
    bool storedAtAnnouncement = true;
    Subscription<QString, QString, QString, QVariant> listening(
        host->Notify, [&](const QString& sender, const QString& form, const QString& action, const QVariant&) {
            announced.push_back({sender, form, action});
            storedAtAnnouncement = !host->hasUnsavedChanges();
        });
    ASSERT_TRUE(window->showPage(u"SetupTestControle"_s));
    control<TextBox>("txtWaarde").type(u"getypt"_s);
    testPage().pendingGebruikersnaam = u"toegepast"_s;
    click(u"cmdOpslaan"_s);

    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].sender, u"frmInstellingen"_s);
    EXPECT_EQ(announced[0].form, u"Setup"_s);
    EXPECT_EQ(announced[0].action, u"WijzigingenOpslaan"_s);
    EXPECT_FALSE(storedAtAnnouncement) << "the settings were stored before the pages heard of the save";
    ASSERT_EQ(testPage().heard.size(), 1u);
    listening.reset();
    restart();
    EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), u"toegepast"_s);
}

// Catches a window that lets the user leave a page whose checks fail: choosing
// another page, in code or in the list, and "Opslaan" all keep him there.
TEST_F(SettingsWindowTest, ValidationKeepsTheUserOnThePage)
{
    ASSERT_TRUE(window->showPage(u"SetupTestControle"_s));
    control<TextBox>("txtWaarde").type(u"fout"_s);

    ui.answerMessage(MsgResult::OK);
    EXPECT_FALSE(window->showPage(u"SetupProxy"_s));
    EXPECT_EQ(window->currentPage()->componentName(), u"SetupTestControle"_s);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, u"Vul een geldige waarde in."_s);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(control<TextBox>("txtWaarde").hasFocus());

    ui.answerMessage(MsgResult::OK);
    child<QTreeWidget>("lvwPaginas")->setCurrentItem(listItem(u"Tarvelo Update"_s));
    EXPECT_EQ(window->currentPage()->componentName(), u"SetupTestControle"_s);
    EXPECT_EQ(child<QTreeWidget>("lvwPaginas")->currentItem()->text(0), u"Testcontrole"_s)
        << "the list shows the page the user is kept on";

    // Saving lists the problem instead of asking page by page.
    click(u"cmdOpslaan"_s);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Open);
    EXPECT_EQ(ui.messages().size(), 2u);
    ASSERT_NE(window->problemsDialog(), nullptr);
    EXPECT_EQ(window->problemsDialog()->problems().size(), 1u);

    control<TextBox>("txtWaarde").type(u"goed"_s);
    child<QTreeWidget>("lvwPaginas")->setCurrentItem(listItem(u"Tarvelo Update"_s));
    EXPECT_EQ(window->currentPage()->componentName(), u"SetupUpdates"_s);
    EXPECT_EQ(child<QLabel>("lblTitel")->text(), u"Tarvelo Update"_s);
}

// Catches notifications that reach only the page in view: a page's RaiseNotify
// reaches every open page, also those the user is not looking at.
TEST_F(SettingsWindowTest, NotificationsReachEveryOpenPage)
{
    ASSERT_TRUE(window->showPage(u"SetupTestLuisteraar"_s));
    auto* listener = static_cast<SetupTestLuisteraar*>(window->currentPage());
    ASSERT_TRUE(window->showPage(u"SetupTestControle"_s));
    control<TextBox>("txtWaarde").type(u"x"_s);
    control<CommandButton>("cmdMeld").click();
    ASSERT_EQ(listener->heard.size(), 1u);
    EXPECT_EQ(listener->heard[0].sender, u"SetupTestControle"_s);
    EXPECT_EQ(listener->heard[0].form, u"Adviseurs"_s);
    EXPECT_EQ(listener->heard[0].action, u"Refresh"_s);
    EXPECT_EQ(testPage().heard.size(), 1u) << "the sender listens too";
}

// Catches a search that knows only titles, or opens the page without showing
// what was found: texts on the pages are found without regard to case or
// accents, and choosing one puts the focus in the field it names.
TEST_F(SettingsWindowTest, SearchFindsPagesByWhatTheyShow)
{
    struct Case {
        QString query;
        QStringList expected;
    };
    const Case cases[] = {
        {u"gebruikersnaam"_s,
         {u"Algemeen/Algemeen"_s, u"Algemeen: Gebruikersnaam"_s, u"Kantoor/Testcontrole"_s,
          u"Testcontrole: Proxy gebruikersnaam"_s}},
        {u"UPDATES automatisch"_s,
         {u"Algemeen/Algemeen"_s, u"Algemeen: Updates automatisch downloaden"_s, u"Algemeen/Tarvelo Update"_s,
          u"Tarvelo Update: Updates automatisch downloaden"_s}},
        {u"geinstalleerd"_s,
         {u"Kantoor/Testcontrole"_s, u"Testcontrole: Zorg ervoor dat uw certificaat geïnstalleerd is."_s}},
        {u"testluisteraar"_s, {u"Koppelingen/Testluisteraar"_s}},
        {u"bestaat nergens"_s, {}},
    };
    auto* search = child<QLineEdit>("txtZoeken");
    for (const Case& c : cases) {
        search->setText(c.query);
        EXPECT_EQ(listed(), c.expected) << c.query.toStdString();
    }
    search->clear();
    EXPECT_TRUE(listed().contains(u"Algemeen/Tarvelo Update"_s));

    host->SettingsObject().get<ProxySettings>().ProxyGebruiken = true;
    search->setText(u"Gebruikersnaam"_s);
    child<QTreeWidget>("lvwPaginas")->setCurrentItem(listItem(u"Gebruikersnaam"_s));
    runEvents();
    ASSERT_EQ(window->currentPage()->componentName(), u"SetupProxy"_s);
    EXPECT_TRUE(control<TextBox>("txtGebruikersnaam").hasFocus()) << "the field the found label names";
    QWidget* field = window->currentView()->widgetOf(control<TextBox>("txtGebruikersnaam"));
    auto* scroll = child<QScrollArea>("scrPagina");
    const QRect shown(QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()),
                      scroll->viewport()->size());
    const QRect place(field->mapTo(scroll->widget(), QPoint()), field->size());
    EXPECT_TRUE(shown.contains(place)) << "the found field is in view";
}

// Catches a window that builds pages nobody looks at when it opens: it learns
// each page once for its list, builds the page it shows, and only a search
// builds the pages not opened, once, to read their texts.
TEST_F(SettingsWindowTest, TheSearchBuildsPagesOnlyWhenSearchedIn)
{
    std::map<QString, int> built;
    PageRegistry counted;
    for (PageInfo info : registry.pages()) {
        info.create = [&built, className = info.className, make = info.create] {
            ++built[className];
            return make();
        };
        counted.add(info);
    }
    const auto expectBuilt = [&](int shown, int others, const char* when) {
        for (const PageInfo& info : counted.pages())
            EXPECT_EQ(built[info.className], info.className == u"SetupProxy"_s ? shown : others)
                << info.className.toStdString() << " " << when;
    };
    window = std::make_unique<SettingsWindow>(counted, *host);
    window->show();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    runEvents();
    expectBuilt(2, 1, "when the window opened");
    auto* search = child<QLineEdit>("txtZoeken");
    search->setText(u"proxy"_s);
    expectBuilt(2, 2, "at the first search");
    search->setText(u"updates"_s);
    expectBuilt(2, 2, "at the next search");
    window.reset();
}

// Catches a history that loses who changed what, or that keeps a password:
// each saved change names the adviser, the setting, old and new value, newest
// first, per page and for the office; a password is only marked as changed.
TEST_F(SettingsWindowTest, ChangeHistoryNamesWhoChangedWhatAndHidesSecrets)
{
    stop();
    QFile::remove(DataFolder::officeDatabasePath(dir.path()));
    start(ReferenceApplication::NewOffice::Demo);
    const QString adviser = host->currentAdviser().name;
    EXPECT_EQ(adviser, u"J.W. de Vries"_s);

    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>("chkProxy").click();
    control<TextBox>("txtProxyadres").type(u"proxy.delinde.nl"_s);
    control<TextBox>("txtWachtwoord").type(u"Geheim!123"_s);
    ASSERT_TRUE(window->showPage(u"SetupUpdates"_s));
    control<CheckBox>("chkAutoDownload").click();
    click(u"cmdOpslaan"_s);

    restart();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<TextBox>("txtProxyadres").type(u"proxy2.delinde.nl"_s);
    click(u"cmdOpslaan"_s);

    restart();
    const std::vector<ChangeEntry> all = host->changeHistory();
    QStringList rows;
    for (const ChangeEntry& e : all) {
        rows << u"%1|%2|%3|%4|%5|%6|%7"_s.arg(e.adviserName, e.object, e.setting, e.oldValue.value_or("-"),
                                              e.newValue.value_or("-"), e.secret ? "geheim" : "", e.page);
    }
    const QStringList firstSave = {
        adviser + "|Setup|ProxyGebruiken|false|true||SetupProxy",
        adviser + "|Setup|ProxyAdres||proxy.delinde.nl||SetupProxy",
        adviser + "|Setup|ProxyWachtwoord|-|-|geheim|SetupProxy",
        adviser + "|Setup|AutoDownload|false|true||SetupUpdates",
    };
    ASSERT_GE(rows.size(), 5);
    EXPECT_EQ(rows[0], adviser + "|Setup|ProxyAdres|proxy.delinde.nl|proxy2.delinde.nl||SetupProxy") << "newest first";
    for (const QString& expected : firstSave)
        EXPECT_TRUE(rows.mid(1).contains(expected)) << expected.toStdString() << "\n" << rows.join('\n').toStdString();

    // The password is in no row of the history, in no form.
    QSqlQuery everything = host->officeDatabase().exec(u"SELECT * FROM InstellingWijziging"_s);
    while (everything.next()) {
        for (int i = 0; i < everything.record().count(); ++i)
            EXPECT_FALSE(everything.value(i).toString().contains(u"Geheim!123"_s));
    }

    ASSERT_TRUE(window->showPage(u"SetupUpdates"_s));
    std::unique_ptr<ChangeHistoryDialog> pageHistory = window->historyDialog(false);
    ASSERT_EQ(pageHistory->shownLines(), 1);
    const QTreeWidgetItem* shown = nullptr;
    for (int i = 0; i < pageHistory->list()->topLevelItemCount() && !shown; ++i)
        if (!pageHistory->list()->topLevelItem(i)->isHidden())
            shown = pageHistory->list()->topLevelItem(i);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(ChangeHistoryDialog::Setting), u"Updates automatisch downloaden"_s);
    EXPECT_EQ(shown->text(ChangeHistoryDialog::OldValue), u"Nee"_s);
    EXPECT_EQ(shown->text(ChangeHistoryDialog::NewValue), u"Ja"_s);
    EXPECT_EQ(shown->text(ChangeHistoryDialog::Adviser), adviser);
    EXPECT_EQ(shown->text(ChangeHistoryDialog::Name), u"Setup.AutoDownload"_s);

    std::unique_ptr<ChangeHistoryDialog> officeHistory = window->historyDialog(true);
    EXPECT_EQ(officeHistory->list()->topLevelItemCount(), int(all.size()));
    bool maskedShown = false;
    for (int i = 0; i < officeHistory->list()->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = officeHistory->list()->topLevelItem(i);
        if (row->text(ChangeHistoryDialog::Name) == QLatin1String("Setup.ProxyWachtwoord"))
            maskedShown = row->text(ChangeHistoryDialog::NewValue) == u"(gewijzigd)"_s &&
                          row->text(ChangeHistoryDialog::StoredNew) == u"(gewijzigd)"_s &&
                          row->text(ChangeHistoryDialog::Page) == "Algemeen";
    }
    EXPECT_TRUE(maskedShown);
}

// Catches a page area that cuts a tall page off, or leaves the field in use
// out of sight: in a window lower than the page a vertical scroll bar
// appears, a field far down that the page gives the focus is scrolled into
// view, and so is each field the user tabs to.
TEST_F(SettingsWindowTest, ATallPageScrollsToTheFocusedField)
{
    window->resize(640, 360);
    ASSERT_TRUE(window->showPage(u"SetupTestLang"_s));
    window->activateWindow();
    runEvents();
    auto* scroll = child<QScrollArea>("scrPagina");
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    const int pageHeight = window->currentView()->height();
    EXPECT_GT(pageHeight, scroll->viewport()->height());
    EXPECT_GE(scroll->verticalScrollBar()->maximum(), pageHeight - scroll->viewport()->height())
        << "the bottom of the page can be reached";

    QWidget* last = window->currentView()->widgetOf(control<TextBox>("txtVeld", SetupTestLang::Rows - 1));
    ASSERT_NE(last, nullptr);
    EXPECT_FALSE(inView(last));
    control<TextBox>("txtVeld", SetupTestLang::Rows - 1).setFocus();
    runEvents();
    EXPECT_TRUE(last->hasFocus());
    EXPECT_TRUE(inView(last)) << "scrolled to " << scroll->verticalScrollBar()->value();

    control<TextBox>("txtVeld", 0).setFocus();
    runEvents();
    EXPECT_TRUE(inView(window->currentView()->widgetOf(control<TextBox>("txtVeld", 0)))) << "back up to the first";
    for (int i = 1; i < SetupTestLang::Rows; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        runEvents();
        ASSERT_TRUE(control<TextBox>("txtVeld", i).hasFocus()) << i;
        EXPECT_TRUE(inView(window->currentView()->widgetOf(control<TextBox>("txtVeld", i)))) << i;
    }
}

// Catches a window that forgets how the user left it, or keeps it anywhere but
// the user's hive: closing stores the size and the open page, and the next
// window opens at that size on that page, unless a page is asked for.
TEST_F(SettingsWindowTest, ReopensAtTheSizeAndPageItWasLeftAt)
{
    ASSERT_NE(window->size(), QSize(700, 500));
    window->resize(700, 500);
    ASSERT_TRUE(window->showPage(u"SetupUpdates"_s));
    click(u"cmdAnnuleren"_s);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored(u"Breedte"_s), u"700"_s);
    EXPECT_EQ(stored(u"Hoogte"_s), u"500"_s);
    EXPECT_EQ(stored(u"Pagina"_s), u"SetupUpdates"_s);

    restart();
    window->restoreSize();
    ASSERT_TRUE(window->showStartPage());
    EXPECT_EQ(window->size(), QSize(700, 500));
    EXPECT_EQ(window->currentPage()->componentName(), u"SetupUpdates"_s);
    EXPECT_EQ(child<QLabel>("lblTitel")->text(), u"Tarvelo Update"_s);
    EXPECT_EQ(child<QTreeWidget>("lvwPaginas")->currentItem()->text(0), u"Tarvelo Update"_s);

    // Saving closes the window too, and is remembered as well.
    window->resize(720, 540);
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    click(u"cmdOpslaan"_s);
    restart();
    window->restoreSize();
    ASSERT_TRUE(window->showStartPage(u"SetupTestLuisteraar"_s));
    EXPECT_EQ(window->size(), QSize(720, 540));
    EXPECT_EQ(window->currentPage()->componentName(), u"SetupTestLuisteraar"_s)
        << "the page asked for on the command line comes before the remembered one";
}

// Catches a start that trips over what an earlier version or another screen
// left behind: a page that no longer exists opens the first page, and a size
// larger than this screen, or not a size at all, leaves the window's first size.
TEST_F(SettingsWindowTest, IgnoresARememberedPageOrSizeThatNoLongerFits)
{
    const QSize first = window->size();
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_TRUE(QRect(QPoint(), screen).contains(QRect(QPoint(), first))) << "the first size fits the screen";
    struct Case {
        QString width, height, page;
        QSize size;
        QString shown;
    };
    const Case cases[] = {
        {QString::number(screen.width() + 1), u"500"_s, u"SetupVerdwenen"_s, first, u"SetupProxy"_s},
        {u"600"_s, QString::number(screen.height() + 1), QString(), first, u"SetupProxy"_s},
        {u"600"_s, u"groot"_s, u"setuptestcontrole"_s, first, u"SetupTestControle"_s},
        {u"-600"_s, u"-500"_s, u"SetupUpdates"_s, first, u"SetupUpdates"_s},
        {u"640"_s, u"480"_s, u"SetupUpdates"_s, QSize(640, 480), u"SetupUpdates"_s},
    };
    for (const Case& c : cases) {
        store(u"Breedte"_s, c.width);
        store(u"Hoogte"_s, c.height);
        store(u"Pagina"_s, c.page);
        restart();
        window->restoreSize();
        EXPECT_TRUE(window->showStartPage()) << c.page.toStdString();
        EXPECT_EQ(window->size(), c.size) << c.width.toStdString() << "x" << c.height.toStdString();
        EXPECT_EQ(window->currentPage()->componentName(), c.shown) << c.page.toStdString();
    }
}

} // namespace

namespace {

// A page with a check over a setting and a fill that writes a default: never
// opened, its check must still run, and must change nothing.
class SetupTestTermijn final : public SettingsPage {
public:
    SetupTestTermijn() : SettingsPage(u"SetupTestTermijn"_s), txtTermijn(form().add<TextBox>(form(), u"txtTermijn"_s))
    {
        RowLayout(form(), 3000, false).line(txtTermijn).finish();
    }
    QString Titel() const override { return u"Testtermijn"_s; }
    bool hasValidation() const override { return true; }
    TextBox& txtTermijn;

protected:
    void Fill() override
    {
        if (Setup().get<AutosaveSettings>().AutomatischOpslaanMinuten == 0)
            Setup().get<AutosaveSettings>().AutomatischOpslaanMinuten = 10;
        txtTermijn.setText(QString::number(Setup().get<UpdateSettings>().UpdateTermijn.get()));
    }
    std::vector<ValidationCheck> validationChecks() override
    {
        return {{1, [this] {
                     const int days = txtTermijn.text().toInt();
                     return days == 0 || days == 1 || days == 7 || days == 14 || days == 30 ||
                            failCheck(u"Kies een termijn van 1, 7, 14 of 30 dagen."_s, u"Testtermijn"_s, &txtTermijn);
                 }}};
    }
};

QString pictureFolder()
{
    const QString wanted = qEnvironmentVariable("TARVELO_RENDER_DIR");
    return wanted.isEmpty() ? QDir::tempPath() : wanted;
}

} // namespace

// Catches a reset that asks nothing or is lost: the page's reset asks first,
// No changes nothing, Yes resets through the page's rule, and the saved
// change is in the history under the page.
TEST_F(SettingsWindowTest, ResetOfAPageAsksFirstAndIsRecordedInTheHistory)
{
    host->SettingsObject().get<ProxySettings>().ProxyGebruiken = true;
    host->SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.kantoor.nl:8080"_s;
    host->saveSettings();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    EXPECT_EQ(control<TextBox>("txtProxyadres").settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_FALSE(listItem(u"Algemeen"_s)->toolTip(0).isEmpty()) << "the page list marks the changed page";

    ui.answerMessage(MsgResult::No);
    click(u"cmdStandaardwaarden"_s);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, u"Alle instellingen op deze pagina terugzetten naar de standaardwaarde?"_s);
    EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Question);
    EXPECT_TRUE(host->SettingsObject().get<ProxySettings>().ProxyGebruiken);

    ui.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(window->resetPageToDefaults());
    EXPECT_FALSE(host->SettingsObject().get<ProxySettings>().ProxyGebruiken);
    EXPECT_EQ(control<TextBox>("txtProxyadres").text(), QString());
    EXPECT_EQ(control<TextBox>("txtProxyadres").settingMarker(), SettingMarker::None);
    EXPECT_EQ(listItem(u"Algemeen"_s)->toolTip(0), u"Algemeen"_s) << "no longer marked as changed";
    click(u"cmdOpslaan"_s);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Saved);
    QStringList recorded;
    for (const ChangeEntry& e : host->changeHistory(u"SetupProxy"_s))
        recorded << e.setting + QLatin1Char('=') + e.newValue.value_or(u"?"_s);
    EXPECT_TRUE(recorded.contains(u"ProxyGebruiken=false"_s)) << recorded.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(recorded.contains(u"ProxyAdres="_s)) << recorded.join(QLatin1Char(' ')).toStdString();
}

// Catches a lock the window does not show or a reset that overrides it: the
// locked control is read-only with the lock's tooltip and marker; a changed
// control beside it resets from its own menu entry.
TEST_F(SettingsWindowTest, LockedSettingIsShownLockedAndResetsOnlyWhereAllowed)
{
    host->SettingsObject().get<ProxySettings>().ProxyGebruiken = true;
    host->SettingsObject().get<ProxySettings>().ProxyAdres = u"vast:3128"_s;
    host->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"jan"_s;
    ASSERT_TRUE(AdministratorLocks::store(host->registry(), ChangeHistory::SetupObject, u"ProxyAdres"_s, true));
    host->applyAdministratorLocks();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    runEvents();
    auto* address = child<QLineEdit>("txtProxyadres");
    EXPECT_TRUE(address->isReadOnly()) << "reached by Tab, read, not changed";
    EXPECT_EQ(address->toolTip(), u"Deze instelling is door de beheerder vastgezet."_s);
    EXPECT_EQ(address->accessibleDescription(), u"Deze instelling is door de beheerder vastgezet."_s);
    auto* lockMark = child<QLabel>("txtProxyadres_markering");
    ASSERT_NE(lockMark, nullptr);
    EXPECT_TRUE(lockMark->isVisible());
    EXPECT_FALSE(window->resetToDefault(control<TextBox>("txtProxyadres")));
    EXPECT_TRUE(window->resetToDefault(control<TextBox>("txtGebruikersnaam")));
    EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), QString());
    EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"vast:3128"_s);
    EXPECT_TRUE(child<QLineEdit>("txtGebruikersnaam")->isEnabled());
}

// Catches a save that checks only the open page, changes a page it never
// opened, or saves with problems left: both problems are listed at once,
// nothing is stored, and choosing a line opens that page at the field.
TEST_F(SettingsWindowTest, SavingChecksEveryPageAtOnceAndStoresNothingWhileAProblemRemains)
{
    registry.add<SetupTestTermijn>(PageGroup::Kantoor);
    restart();
    host->SettingsObject().get<UpdateSettings>().UpdateTermijn = 3;
    ASSERT_TRUE(window->showPage(u"SetupTestControle"_s));
    control<TextBox>("txtWaarde").type(u"fout"_s);
    click(u"cmdOpslaan"_s);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Open);
    EXPECT_TRUE(ui.messages().empty()) << "the problems are listed, not asked one by one";
    ASSERT_NE(window->problemsDialog(), nullptr);
    QStringList listedProblems;
    for (const CheckProblem& p : window->problemsDialog()->problems())
        listedProblems << p.title + QLatin1Char('|') + p.field + QLatin1Char('|') + p.message;
    listedProblems.sort();
    EXPECT_EQ(listedProblems, (QStringList{u"Testcontrole|txtWaarde|Vul een geldige waarde in."_s,
                                           u"Testtermijn|txtTermijn|Kies een termijn van 1, 7, 14 of 30 dagen."_s}));
    EXPECT_EQ(window->openedPage(u"SetupTestTermijn"_s), nullptr);
    EXPECT_EQ(qint16(host->SettingsObject().get<AutosaveSettings>().AutomatischOpslaanMinuten), 10)
        << "a page that was never opened was changed by its check";
    {
        ReferenceApplication stored(ui, dir.path());
        EXPECT_EQ(stored.SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), QString());
        EXPECT_EQ(qint16(stored.SettingsObject().get<UpdateSettings>().UpdateTermijn), 1);
    }

    control<TextBox>("txtWaarde").type(u"goed"_s);
    const auto& problems = window->problemsDialog()->problems();
    const auto termijn = std::find_if(problems.begin(), problems.end(), [](const CheckProblem& p) {
        return p.className == QLatin1String("SetupTestTermijn");
    });
    ASSERT_NE(termijn, problems.end());
    window->problemsDialog()->choose(int(termijn - problems.begin()));
    ASSERT_EQ(window->currentPage()->componentName(), u"SetupTestTermijn"_s);
    EXPECT_TRUE(control<TextBox>("txtTermijn").hasFocus());
    control<TextBox>("txtTermijn").type(u"7"_s);
    host->SettingsObject().get<UpdateSettings>().UpdateTermijn = 7;
    click(u"cmdOpslaan"_s);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Saved);
}

// Renders the window with markers and a locked control, and the import
// preview, for review; catches a window or preview that does not draw.
TEST_F(SettingsWindowTest, RendersMarkersTheLockAndTheImportPreview)
{
    host->SettingsObject().get<ProxySettings>().ProxyGebruiken = true;
    host->SettingsObject().get<ProxySettings>().ProxyAdres = u"vast.kantoor.nl:3128"_s;
    host->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"jan"_s;
    host->SettingsObject().get<UpdateSettings>().AutoDownload = true;
    ASSERT_TRUE(AdministratorLocks::store(host->registry(), ChangeHistory::SetupObject, u"ProxyAdres"_s, true));
    host->applyAdministratorLocks();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    runEvents();
    const QString windowPicture = pictureFolder() + u"/beheer-venster.png"_s;
    ASSERT_TRUE(window->grab().save(windowPicture));

    Settings other;
    other.get<ProxySettings>().ProxyGebruikersnaam = u"kantoor"_s;
    other.get<ProxySettings>().ProxyWachtwoord = u"geheim"_s;
    other.get<UpdateSettings>().UpdateTermijn = 14;
    other.get<ProxySettings>().ProxyAdres = u"ander:80"_s;
    QByteArray file = SettingsProfile::write(other, host->GlobalSetup(), u"wachtzin"_s);
    file.replace("\"naam\": \"UpdateVlag\"", "\"naam\": \"OudeInstelling\"");
    ImportPlan plan = SettingsProfile::plan(file, host->SettingsObject(), host->GlobalSetup(),
                                            [] { return std::optional<QString>(u"wachtzin"_s); });
    ImportPreviewDialog preview(plan, window->catalogue());
    preview.show();
    runEvents();
    const QString previewPicture = pictureFolder() + u"/beheer-import.png"_s;
    ASSERT_TRUE(preview.grab().save(previewPicture));
    EXPECT_GT(QFileInfo(windowPicture).size(), 0);
    EXPECT_GT(QFileInfo(previewPicture).size(), 0);
    EXPECT_EQ(plan.locked, QStringList{u"Setup.ProxyAdres"_s});
    preview.setChecked(0, false);
    EXPECT_EQ(preview.chosen().size(), plan.differences.size() - 1);
}

namespace {

// The leftmost dark pixel in an entry's row of the page list: where its text starts.
int textStart(QTreeWidget* list, QTreeWidgetItem* item)
{
    const QImage picture = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(item);
    for (int x = row.left(); x < picture.width(); ++x) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            if (picture.pixelColor(x, y).lightness() < 100)
                return x;
        }
    }
    return -1;
}

// Catches a page list with two entries that read the same, or titles cut off:
// with every page of the product each entry of a group reads differently,
// the pages that hold more than their Titel says are listed by what they hold
// and the heading reads as the entry, and every title fits the list and its
// tooltip.
TEST(SettingsWindowListTest, NoTwoEntriesOfAGroupReadTheSame)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    SettingsWindow window(host.pageRegistry(), host);
    window.show();
    runEvents();
    auto* list = window.findChild<QTreeWidget*>(u"lvwPaginas"_s);
    ASSERT_NE(list, nullptr);
    int entries = 0;
    for (int g = 0; g < list->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = list->topLevelItem(g);
        QStringList seen;
        for (int i = 0; i < group->childCount(); ++i) {
            const QString text = group->child(i)->text(0);
            EXPECT_FALSE(seen.contains(text)) << group->text(0).toStdString() << ": " << text.toStdString();
            seen << text;
            EXPECT_TRUE(group->child(i)->toolTip(0).startsWith(text)) << text.toStdString();
            ++entries;
        }
    }
    EXPECT_EQ(entries, int(host.pageRegistry().pages().size()));
    // Named after what they hold; a page's Titel stays its own text.
    EXPECT_EQ(window.listTitle(u"SetupProxy"_s), u"Updates, opslaan en proxy"_s);
    EXPECT_EQ(window.listTitle(u"SetupAlgemeen"_s), u"Huisstijl en startscherm"_s);
    EXPECT_EQ(window.listTitle(u"SetupUpdates"_s), u"Tarvelo Update"_s) << "a title of its own stays as it is";
    ASSERT_TRUE(window.showPage(u"SetupProxy"_s));
    EXPECT_EQ(window.findChild<QLabel*>(u"lblTitel"_s)->text(), u"Updates, opslaan en proxy"_s)
        << "the heading reads as the entry";
    EXPECT_EQ(window.currentPage()->Titel(), u"Algemeen"_s);
    // A group's name is no entry's name in it, nor the start of one.
    for (int g = 0; g < list->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = list->topLevelItem(g);
        int named = 0;
        for (int i = 0; i < group->childCount(); ++i)
            named += group->child(i)->text(0).startsWith(group->text(0)) ? 1 : 0;
        EXPECT_LE(named, 1) << group->text(0).toStdString();
        if (group->text(0) == u"Algemeen"_s) {
            EXPECT_EQ(named, 0) << "the group Algemeen has no entry Algemeen";
        }
    }

    // Every title fits: the list's one column needs no more than the list's width.
    list->resizeColumnToContents(0);
    EXPECT_EQ(list->header()->sectionSize(0), list->viewport()->width()) << "a title is cut off";
}

// Catches the changed-page mark vanishing into the selection (a blue dot on a
// blue bar): on the selected entry the mark stands out from the selection.
TEST_F(SettingsWindowTest, TheSelectedChangedPageKeepsAVisibleMark)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    control<CheckBox>("chkProxy").click();
    runEvents();
    auto* list = child<QTreeWidget>("lvwPaginas");
    QTreeWidgetItem* entry = listItem(u"Algemeen"_s);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isSelected());
    ASSERT_TRUE(entry->toolTip(0).contains(u"wijken instellingen af"_s)) << "the page is marked as changed";
    const QImage picture = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(entry);
    const QColor selection = picture.pixelColor(row.right() - 3, row.center().y());
    double strongest = 1;
    const int icon = list->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list);
    for (int x = row.left(); x < row.left() + icon; ++x) {
        for (int y = row.top(); y <= row.bottom(); ++y)
            strongest = std::max(strongest, tarvelo::testing::contrast(picture.pixelColor(x, y), selection));
    }
    EXPECT_GE(strongest, 3.0) << "mark against the selection " << selection.name().toStdString();
}

// Catches search hits drawn in line with (or left of) the page they were
// found on: a hit's text starts further right than its page's title.
TEST_F(SettingsWindowTest, SearchHitsSitIndentedUnderTheirPage)
{
    ASSERT_TRUE(window->showPage(u"SetupTestLuisteraar"_s));
    child<QLineEdit>("txtZoeken")->setText(u"gebruikersnaam"_s);
    runEvents();
    auto* list = child<QTreeWidget>("lvwPaginas");
    QTreeWidgetItem* page = listItem(u"Testcontrole"_s);
    QTreeWidgetItem* hit = listItem(u"Proxy gebruikersnaam"_s);
    ASSERT_TRUE(page && hit);
    ASSERT_EQ(hit->parent(), page);
    const int pageText = textStart(list, page);
    const int hitText = textStart(list, hit);
    ASSERT_GT(pageText, 0);
    EXPECT_GE(hitText, pageText + 8) << "page text at " << pageText << ", hit text at " << hitText;
}

// Catches buttons that do not say that they open a window, or what: each
// names what it opens and ends in "...".
TEST_F(SettingsWindowTest, ButtonsThatOpenAWindowSayWhatTheyOpen)
{
    // (the "&" marks the access key the window gave the button)
    EXPECT_EQ(withoutAccessKey(child<QPushButton>("cmdWijzigingen")->text()), u"Wijzigingsgeschiedenis..."_s);
    EXPECT_EQ(withoutAccessKey(child<QPushButton>("cmdWijzigingenKantoor")->text()),
              u"Wijzigingsgeschiedenis kantoor..."_s);
    for (const char* name : {"cmdExporteren", "cmdImporteren"})
        EXPECT_TRUE(child<QPushButton>(QString::fromLatin1(name))->text().endsWith(u"..."_s)) << name;
}

// Catches a page shown at a width of its own in a wider or narrower pane:
// on every change of the pane's width the page is asked to take it, lays
// itself out and sets its height, which the pane follows; a page that cannot
// be so narrow, or does not follow at all, scrolls sideways and is never cut.
TEST_F(SettingsWindowTest, ThePageTakesThePanesWidth)
{
    ASSERT_TRUE(window->showPage(u"SetupTestBreed"_s));
    auto* scroll = child<QScrollArea>("scrPagina");
    auto* splitter = window->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    const auto paneWidth = [&] { return scroll->viewport()->width() - 16; };
    for (const int width : {900, 1300, 1700}) {
        window->resize(width, 700);
        runEvents();
        SCOPED_TRACE(width);
        ASSERT_GT(paneWidth() * 15, SetupTestBreed::MinimumWidth);
        EXPECT_EQ(form().width(), paneWidth() * 15);
        EXPECT_EQ(window->currentView()->width(), paneWidth());
        EXPECT_EQ(window->currentView()->height(), TwipsScale{}.y(form().height())) << "the page's own new height";
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(),
                  window->currentView()->height() + 16 > scroll->viewport()->height());
    }

    // Narrower than the page can be: it keeps its least width and scrolls.
    window->resize(900, 700);
    splitter->setSizes({700, 200});
    runEvents();
    ASSERT_LT(paneWidth() * 15, SetupTestBreed::MinimumWidth);
    EXPECT_EQ(form().width(), SetupTestBreed::MinimumWidth);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());

    // A page with a fixed layout is never made narrower than its controls.
    ASSERT_TRUE(window->showPage(u"SetupTestLang"_s));
    runEvents();
    int reach = 0;
    for (const Control* c : form().controls())
        reach = std::max(reach, c == &form() ? 0 : c->right());
    EXPECT_GE(form().width(), reach);
    EXPECT_GE(window->currentView()->width(), reach / 15);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible() || paneWidth() * 15 >= reach);
}

} // namespace
