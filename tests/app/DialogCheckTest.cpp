#include "tests/app/DialogCheck.h"
#include "app/ChangeHistoryDialog.h"
#include "app/CheckProblemsDialog.h"
#include "app/ConflictDialog.h"
#include "app/ExportSettingsDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/ProgramLook.h"
#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "host/admin/SettingsProfile.h"
#include "tests/app/WidgetTestSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

QString joined(const QStringList& faults) { return faults.join(u'\n'); }

// Catches a check that passes what it should fail: disabled text in the old
// light grey, an enabled text too pale, and a default button that stores or
// removes (by its caption or named as such) are each named with their
// dialog and control; readable text and a closing default pass.
TEST(DialogCheckTest, EachRuleFailsOnADialogBuiltWrongOnPurpose)
{
    widgetApplication();
    QDialog wrong;
    wrong.setObjectName(u"frmFout"_s);
    QPalette faded = wrong.palette();
    faded.setColor(QPalette::Window, QColor(0xFC, 0xFC, 0xFC));
    faded.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xBE, 0xBE, 0xBE));
    faded.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
    wrong.setPalette(faded);
    auto* layout = new QVBoxLayout(&wrong);
    auto* disabled = new QLabel(u"&Wachtwoord"_s, &wrong);
    disabled->setObjectName(u"lblWachtwoord"_s);
    disabled->setEnabled(false);
    auto* pale = new QLabel(u"Opmerking"_s, &wrong);
    pale->setObjectName(u"lblOpmerking"_s);
    QPalette paler = pale->palette();
    paler.setColor(QPalette::Active, QPalette::WindowText, QColor(0xA0, 0xA0, 0xA0));
    pale->setPalette(paler);
    auto* fine = new QLabel(u"Naam"_s, &wrong);
    fine->setObjectName(u"lblNaam"_s);
    auto* save = new QPushButton(u"&Opslaan"_s, &wrong);
    save->setObjectName(u"cmdOpslaan"_s);
    save->setDefault(true);
    for (QWidget* w : std::initializer_list<QWidget*>{disabled, pale, fine, save})
        layout->addWidget(w);
    wrong.show();
    runEvents();

    const QStringList contrast = DialogCheck::textContrastFaults(u"frmFout"_s, wrong);
    EXPECT_EQ(contrast.filter(u"frmFout: lblWachtwoord (\"Wachtwoord\", uitgeschakeld): #bebebe op #fcfcfc"_s).size(),
              1)
        << joined(contrast).toStdString();
    EXPECT_EQ(contrast.filter(u"frmFout: lblOpmerking"_s).size(), 1) << joined(contrast).toStdString();
    EXPECT_TRUE(contrast.filter(u"lblNaam"_s).isEmpty()) << joined(contrast).toStdString();

    const QStringList defaults = DialogCheck::storingDefaultFaults(u"frmFout"_s, wrong);
    ASSERT_EQ(defaults.size(), 1);
    EXPECT_TRUE(defaults[0].startsWith(u"frmFout: cmdOpslaan (\"Opslaan\") is de standaardknop"_s))
        << defaults[0].toStdString();
    save->setText(u"&OK"_s);
    EXPECT_TRUE(DialogCheck::storingDefaultFaults(u"frmFout"_s, wrong).isEmpty()) << "an OK is no storing verb";
    EXPECT_EQ(DialogCheck::storingDefaultFaults(u"frmFout"_s, wrong, {u"cmdOpslaan"_s}).size(), 1)
        << "a button named as one that stores";
    save->setText(u"Sluiten"_s);
    EXPECT_TRUE(DialogCheck::storingDefaultFaults(u"frmFout"_s, wrong).isEmpty());
}

// Catches disabled text that vanishes (Fusion's #BEBEBE is 1.8:1 on white)
// or that no longer looks disabled: the program's palette gives disabled
// text at least 4.5:1 on every background it is drawn on, and it stays
// lighter than enabled text.
TEST(DialogCheckTest, DisabledTextReadsYetLooksDisabled)
{
    widgetApplication();
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(u"Fusion"_s));
    const QPalette palette = withVisibleStates(fusion->standardPalette());
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        const QColor disabled = palette.color(QPalette::Disabled, role);
        for (const QPalette::ColorRole back : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
                EXPECT_GE(contrast(disabled, palette.color(group, back)), 4.5)
                    << int(role) << " on " << int(back) << ": " << disabled.name().toStdString();
            }
        }
        EXPECT_GT(contrast(disabled, palette.color(QPalette::Active, role)), 1.5)
            << "a disabled text looks other than an enabled one";
    }
}

// The faults of the two rules over one drawn dialog.
QStringList faultsOf(const QString& name, QWidget& dialog, const QStringList& storing = {})
{
    return DialogCheck::textContrastFaults(name, dialog) + DialogCheck::storingDefaultFaults(name, dialog, storing);
}

// Catches unreadable text or a default that stores in any dialog of the
// product, as drawn on the demo office: every frm dialog, and the change
// history, import preview, conflict question, export dialog and check list.
TEST(DialogCheckTest, NoDialogHasUnreadableTextOrADefaultThatStores)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    QStringList faults;
    // OK there removes an adviser and hands over his advices.
    const QHash<QString, QStringList> storing = {{u"frmOmzettenAdviseur"_s, {u"cmdOk"_s}}};
    for (const QString& name : ReviewDialogs::names()) {
        std::unique_ptr<Form> dialog = ReviewDialogs::open(name, host);
        ASSERT_NE(dialog, nullptr) << name.toStdString();
        giveDialogBackground(*dialog);
        FormView view(*dialog, screenScale(ui));
        view.flushPending();
        view.show();
        runEvents();
        faults << faultsOf(name, view, storing.value(name));
    }

    SettingsWindow window(host.pageRegistry(), host);
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(window.historyDialog(true));
    Settings setup;
    setup.fromMap(host.userSetup().toMap());
    setup.get<UpdateSettings>().AutoDownload = !setup.get<UpdateSettings>().AutoDownload;
    const ImportPlan plan =
        SettingsProfile::plan(SettingsProfile::write(setup, host.officeSetup(), u"zin"_s), host.userSetup(),
                              host.officeSetup(), [] { return std::optional<QString>(u"zin"_s); });
    dialogs.push_back(std::make_unique<ImportPreviewDialog>(plan, window.catalogue()));
    dialogs.push_back(std::make_unique<ConflictDialog>(
        std::vector<ConflictLine>{{window.listTitle(u"SetupProxy"_s), u"Zoeken naar updates"_s, u"Dagelijks"_s,
                                   u"Maandelijks"_s, u"Wekelijks"_s, true}}));
    dialogs.push_back(std::make_unique<ExportSettingsDialog>());
    dialogs.push_back(std::make_unique<CheckProblemsDialog>(
        std::vector<CheckProblem>{
            {u"SetupOverig"_s, u"Berekeningen"_s, u"txtHuurstijging"_s, u"Huurstijging"_s, -1, u"Vul een getal in."_s}},
        nullptr));
    for (const auto& d : dialogs) {
        d->show();
        runEvents();
        faults << faultsOf(d->objectName(), *d);
        d->hide();
    }
    EXPECT_TRUE(faults.isEmpty()) << joined(faults).toStdString();
}

// Catches text that does not read on a page, at the window's background:
// labels, captions, fields and buttons, enabled and disabled.
TEST(DialogCheckTest, NoPageHasUnreadableText)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    QStringList faults;
    for (const PageInfo& info : host.pageRegistry().pages()) {
        std::unique_ptr<SettingsPage> page = openWindowPage(host.pageRegistry(), info.className, host);
        ASSERT_NE(page, nullptr) << info.className.toStdString();
        {
            FormView view(page->form(), screenScale(ui));
            view.flushPending();
            view.show();
            runEvents();
            faults << DialogCheck::textContrastFaults(info.className, view);
        }
        page->Terminate();
    }
    EXPECT_TRUE(faults.isEmpty()) << joined(faults).toStdString();
}

} // namespace
