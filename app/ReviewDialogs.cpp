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
        {QStringLiteral("frmKolommenFinancieelPlan"), columns<frmKolommenFinancieelPlan>},
        {QStringLiteral("frmToetsingKolommen"), columns<frmToetsingKolommen>},
        {QStringLiteral("frmFormaatLogo"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmFormaatLogo>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->Fill_Control();
             return dialog;
         }},
        {QStringLiteral("frmStandaardtekstDetail"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmStandaardtekstDetail>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->setCaptionText(QStringLiteral("Ons advies"));
             dialog->setTekst(QStringLiteral("Wij adviseren u de rente voor 10 jaar vast te zetten, omdat u "
                                             "zekerheid over uw maandlasten wilt."));
             dialog->Fill_Control();
             return dialog;
         }},
        {QStringLiteral("frmImporterenMotiveringsteksten"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmImporterenMotiveringsteksten>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             return dialog;
         }},
        {QStringLiteral("frmAgentnummer"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             // The dialog edits the object it is given; it lives as long as the dialog.
             static CAgentnummer agentnummer;
             agentnummer.Om_Agentnummer = QStringLiteral("70012345");
             agentnummer.Pc_Opslag = 0.25f;
             agentnummer.Om_Beschrijving = QStringLiteral("Vestiging Utrecht");
             agentnummer.In_Standaard = true;
             auto dialog = std::make_unique<frmAgentnummer>();
             dialog->setBackColor(PageBackColor);
             dialog->setApplication(app);
             dialog->setAgentnummer(agentnummer);
             dialog->setMode(frmAgentnummer::Mode::Wijzigen);
             dialog->Fill_Control();
             return dialog;
         }},
        {QStringLiteral("frmProvisieInstellingen"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmProvisieInstellingen>();
             dialog->setBackColor(PageBackColor);
             dialog->setControlName(QStringLiteral("ProvisieAVT"));
             dialog->setApplication(app);
             return dialog;
         }},
        {QStringLiteral("frmRenteopties"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             auto dialog = std::make_unique<frmRenteopties>();
             dialog->setBackColor(PageBackColor);
             dialog->setCd_Mij(QStringLiteral("G001"));
             dialog->SetApplication(app);
             return dialog;
         }},
        // The same dialog for the first loan part of a demo advice with a mortgage.
        {QStringLiteral("frmRenteoptiesLeningdeel"),
         [](ReferenceApplication& app) -> std::unique_ptr<Form> {
             app.openAdvies(QStringLiteral("A00005"));
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
