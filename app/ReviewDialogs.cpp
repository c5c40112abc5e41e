#include "app/ReviewDialogs.h"

#include "app/WindowPages.h"
#include "host/ReferenceApplication.h"
#include "pages/advice/frmImporterenMotiveringsteksten.h"
#include "pages/advice/frmKolommenFinancieelPlan.h"
#include "pages/advice/frmStandaardtekstDetail.h"
#include "pages/advice/frmToetsingKolommen.h"
#include "pages/companies/CAgentnummer.h"
#include "pages/companies/frmAgentnummer.h"
#include "pages/companies/frmProvisieInstellingen.h"
#include "pages/companies/frmRenteopties.h"
#include "pages/general/frmFormaatLogo.h"

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
