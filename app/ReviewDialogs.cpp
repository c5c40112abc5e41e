#include "app/ReviewDialogs.h"

#include "app/WindowPages.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/settings/AbonnementSettings.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/status/frmProgress.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "pages/advice/frmImporterenMotiveringsteksten.h"
#include "pages/advice/frmKolommenFinancieelPlan.h"
#include "pages/advice/frmStandaardtekstDetail.h"
#include "pages/advice/frmToetsingKolommen.h"
#include "pages/advisers/frmOmzettenAdviseur.h"
#include "pages/advisers/frmWachtwoord.h"
#include "pages/business_lists/frmAbonnementDetail.h"
#include "pages/business_lists/frmNotaris.h"
#include "pages/business_lists/frmOmzettenAbonnement.h"
#include "pages/companies/CAgentnummer.h"
#include "pages/companies/frmAgentnummer.h"
#include "pages/companies/frmInkoopcombinatie.h"
#include "pages/companies/frmProvisieInstellingen.h"
#include "pages/companies/frmRenteopties.h"
#include "pages/database_hdn/frmHDNBerichtenOpslag.h"
#include "pages/database_hdn/frmHDNIndir.h"
#include "pages/database_hdn/frmSubnodeEdit.h"
#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"
#include "pages/general/frmFormaatLogo.h"
#include "pages/general/frmVoorbeeldKleurinstelling.h"

#include <QSqlQuery>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo::ReviewDialogs {

namespace {
using Opener = std::function<std::unique_ptr<Form>(ReferenceApplication&)>;

template <class D>
std::unique_ptr<Form> columns(ReferenceApplication& app)
{
    auto dialog = std::make_unique<D>();
    dialog->setBackColor(PageBackColor);
    dialog->setApplication(app);
    dialog->setSetup(app.SettingsObject());
    dialog->Fill_Control();
    return dialog;
}

const std::vector<std::pair<QString, Opener>>& openers()
{
    static const std::vector<std::pair<QString, Opener>> all = {
        {u"frmKolommenFinancieelPlan"_s, columns<frmKolommenFinancieelPlan>},
        {u"frmToetsingKolommen"_s, columns<frmToetsingKolommen>},
        {u"frmFormaatLogo"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmFormaatLogo>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->Fill_Control();
             return dialog;
         }},
        {u"frmStandaardtekstDetail"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmStandaardtekstDetail>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->setCaptionText(u"Ons advies"_s);
             dialog->setTekst(u"Wij adviseren u de rente voor 10 jaar vast te zetten, omdat u "
                              "zekerheid over uw maandlasten wilt."_s);
             dialog->Fill_Control();
             return dialog;
         }},
        {u"frmImporterenMotiveringsteksten"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmImporterenMotiveringsteksten>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             return dialog;
         }},
        {u"frmAgentnummer"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             // The dialog edits the object it is given; it lives as long as the dialog.
             static CAgentnummer agentnummer;
             agentnummer.Om_Agentnummer = u"70012345"_s;
             agentnummer.Pc_Opslag = 0.25f;
             agentnummer.Om_Beschrijving = u"Vestiging Utrecht"_s;
             agentnummer.In_Standaard = true;
             auto dialog = std::make_unique<frmAgentnummer>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->setAgentnummer(agentnummer);
             dialog->setMode(frmAgentnummer::Mode::Wijzigen);
             dialog->Fill_Control();
             return dialog;
         }},
        {u"frmProvisieInstellingen"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmProvisieInstellingen>();
             dialog->setBackColor(PageBackColor);
             dialog->setControlName(u"ProvisieAVT"_s);
             dialog->setApplication(app);
             return dialog;
         }},
        {u"frmRenteopties"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmRenteopties>();
             dialog->setBackColor(PageBackColor);
             dialog->setCd_Mij(u"G001"_s);
             dialog->SetApplication(app);
             return dialog;
         }},
        // The same dialog for the first loan part of a demo advice with a mortgage.
        {u"frmRenteoptiesLeningdeel"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             app.openAdvies(u"A00005"_s);
             auto dialog = std::make_unique<frmRenteopties>();
             dialog->setBackColor(PageBackColor);
             dialog->SetApplication(app, 1);
             return dialog;
         }},
        {u"frmInkoopcombinatie"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmInkoopcombinatie>();
             dialog->setSetup(app.SettingsObject());
             dialog->setApplication(app);
             dialog->setBackColor(PageBackColor);
             return dialog;
         }},
        // The storage choice of the HDN page; the move itself towards a folder.
        {u"frmHDNBerichtenOpslag"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmHDNBerichtenOpslag>();
             dialog->setApplication(app);
             return dialog;
         }},
        {u"frmWijzigenHDNBerichtenOpslag"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmWijzigenHDNBerichtenOpslag>();
             dialog->setCd_HDNBerichtenOpslagActie(2);
             dialog->setApplication(app);
             return dialog;
         }},
        {u"frmHDNIndir"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmHDNIndir>();
             dialog->setSetup(app.SettingsObject());
             dialog->setApplication(app);
             return dialog;
         }},
        // The HDN number of the office's first branch.
        {u"frmSubnodeEdit"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto& vestigingen = app.SettingsObject().get<AutorisatieSettings>();
             auto dialog = std::make_unique<frmSubnodeEdit>();
             dialog->setVestiging(vestigingen.Vestiging(1));
             dialog->setApplication(app);
             return dialog;
         }},
        // The office's house-style table colours: title, odd and even rows.
        {u"frmVoorbeeldKleurinstelling"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog =
                 std::make_unique<frmVoorbeeldKleurinstelling>(Colour(0x7F3F00), Colour(0xF5E8DC), Colour(0xFFFFFF));
             dialog->setApplication(app);
             return dialog;
         }},
        {u"frmAbonnementDetail"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             const auto& abonnementen = app.SettingsObject().get<AbonnementSettings>();
             auto dialog = std::make_unique<frmAbonnementDetail>();
             dialog->setSetup(app.SettingsObject());
             if (const AbonnementRecord* eerste = abonnementen.Abonnement(1))
                 dialog->setID(eerste->ID);
             dialog->setApplication(app);
             dialog->setBackColor(PageBackColor);
             dialog->Fill_Control();
             return dialog;
         }},
        // Removing the first subscription: its advices move to another one.
        {u"frmOmzettenAbonnement"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             const auto& abonnementen = app.SettingsObject().get<AbonnementSettings>();
             auto dialog = std::make_unique<frmOmzettenAbonnement>();
             dialog->setSetup(app.SettingsObject());
             if (const AbonnementRecord* oud = abonnementen.Abonnement(1)) {
                 dialog->setAantal(GetDatabase(app)->AantalAdviezenAbonnement(*oud));
                 dialog->setID(oud->ID);
             }
             dialog->setApplication(app);
             dialog->setBackColor(PageBackColor);
             return dialog;
         }},
        {u"frmNotaris"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmNotaris>();
             dialog->setIndex(1);
             dialog->setSetup(app.SettingsObject());
             dialog->setApplication(app);
             dialog->setBackColor(PageBackColor);
             return dialog;
         }},
        // Removing the adviser of the first dossier, whose advices go to another.
        {u"frmOmzettenAdviseur"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             QString code;
             QSqlQuery first = app.officeDatabase().exec(
                 u"SELECT Adviseur FROM Adviesdossier WHERE Adviseur IS NOT NULL ORDER BY ID"_s);
             if (first.next())
                 code = first.value(0).toString();
             Database* database = GetDatabase(app);
             auto dialog = std::make_unique<frmOmzettenAdviseur>();
             dialog->setDatabase(database);
             dialog->setAantal(code.isEmpty() ? 0 : database->AantalAdviezen(code));
             dialog->setCode(code);
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             return dialog;
         }},
        // A new password, typed twice.
        {u"frmWachtwoord"_s,
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmWachtwoord>();
             dialog->setBevestigen(true);
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             return dialog;
         }},
        // The progress window half-way through a long run that may be stopped.
        {u"frmProgress"_s,
         [](ReferenceApplication&) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmProgress>();
             dialog->setCaption(u"Agentnummers importeren"_s);
             dialog->lblMessage.setCaption(u"Bezig met regel 1200 van 5000"_s);
             dialog->Pgb1.setMax(5000);
             dialog->Pgb1.setValue(1200);
             return dialog;
         }},
    };
    return all;
}
} // namespace

QStringList names()
{
    QStringList all;
    for (const auto& [name, open] : openers())
        all << name;
    return all;
}

std::unique_ptr<Form> open(const QString& name, ReferenceApplication& application)
{
    for (const auto& [known, opener] : openers()) {
        if (known.compare(name, Qt::CaseInsensitive) == 0)
            return opener(application);
    }
    return nullptr;
}

} // namespace tarvelo::ReviewDialogs
