#include "pages/integrations/SetupQvxOnline.h"

#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/OnlineInventorySettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/Base64.h"
#include "framework/util/ComboRoutines.h"
#include "pages/integrations/DocumentAanvraagSnelkeuze.h"

#include <QScopedValueRollback>
#include <QUrl>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
using S = OnlineInventorySettings;
constexpr int InnerWidth = 6000;
constexpr int ComboWidth = 3000;
constexpr int LabelWidth = 2700;
constexpr int SnelkeuzeHeight = 315;
} // namespace

SetupQvxOnline::SetupQvxOnline()
    : SettingsPage(u"SetupQvxOnline"_s),
      fraUitnodiging(add<Frame>(form(), u"fraUitnodiging"_s, u"Uitnodiging"_s)),
      fraInstelling(add<Frame>(form(), u"fraInstelling"_s, u"Kantoor- en adviseurgegevens"_s))
{
    auto& lblInvullen = add<Label>(fraUitnodiging, u"lblInvullen"_s, u"Klant moet invullen"_s);
    chkInventarisatie[0] = &add<CheckBox>(fraUitnodiging, u"chkInventarisatie"_s, u"Basis"_s, 0);
    chkInventarisatie[1] = &add<CheckBox>(fraUitnodiging, u"chkInventarisatie"_s, u"Financieel"_s, 1);
    auto& chkKlantprofiel = add<CheckBox>(fraUitnodiging, u"chkKlantprofiel"_s, u"Klantprofiel"_s);
    auto& chkDocumenten = add<CheckBox>(fraUitnodiging, u"chkDocumenten"_s, u"Documenten"_s);
    auto& chkCheckHdn =
        add<CheckBox>(fraUitnodiging, u"chkCheckHdnDocumenten"_s, u"Controleer op openstaande HDN-documenten"_s);
    auto& lblAanhef = add<Label>(fraUitnodiging, u"lblAanhef"_s, u"Aanhef"_s);
    auto& cboAanhef = add<ComboBox>(fraUitnodiging, u"cboAanhef"_s);
    hntUitnodiging =
        &add<Hint>(fraUitnodiging, u"hntUitnodiging"_s,
                   u"Een financi\u00eble inventarisatie omvat altijd ook de basisinventarisatie. Kies hieronder welke "
                   "documenten de klant bij de uitnodiging wordt gevraagd aan te leveren."_s);
    for (int i = 0; i < 2; ++i)
        chkInventarisatie[i]->Click.connect([this, i] { chkInventarisatie_Click(i); });
    bind(chkKlantprofiel, &S::InventarisatieKlantprofiel);
    bind(chkDocumenten, &S::InventarisatieDocumenten);
    bind(chkCheckHdn, &S::CheckHdnDocumenten);
    bind(cboAanhef, &S::Aanhef, {{u"Formeel"_s, 1}, {u"Informeel"_s, 2}});
    RowLayout uitnodiging(fraUitnodiging, InnerWidth);
    uitnodiging.line(lblInvullen)
        .row(
            {{chkInventarisatie[0], 1000}, {chkInventarisatie[1], 1400}, {&chkKlantprofiel, 1500}, {&chkDocumenten, 0}})
        .line(chkCheckHdn)
        .field(lblAanhef, cboAanhef, ComboWidth, LabelWidth)
        .text(*hntUitnodiging);
    // Room for the document-request control, which the host creates when the page is filled.
    uitnodiging
        .block(SnelkeuzeHeight + RowLayout::RowGap,
               [this, aanhefLabel = &lblAanhef, aanhef = &cboAanhef](int top, int width) {
                   if (!snelkeuze_)
                       return;
                   snelkeuze_->setBounds(RowLayout::Margin, top, width,
                                         lblQuenmarixConsument->height() * SnelkeuzeHeight / RowLayout::LabelHeight);
                   // Its choice starts where the salutation's does, while labels stand beside their fields.
                   if (aanhef->left() > aanhefLabel->left())
                       snelkeuze_->alignChoice(aanhef->left() - RowLayout::Margin);
               })
        .finish();

    auto& fraOverzicht = add<Frame>(form(), u"fraOverzicht"_s, u"Overzichtsscherm"_s);
    auto& chkDirectZoeken = add<CheckBox>(fraOverzicht, u"chkDirectZoeken"_s, u"Direct bijwerken bij openen scherm"_s);
    auto& lblPeriode = add<Label>(fraOverzicht, u"lblPeriode"_s, u"Toon status van laatste"_s);
    auto& cboPeriode = add<ComboBox>(fraOverzicht, u"cboPeriode"_s);
    auto& lblToonBerichten = add<Label>(fraOverzicht, u"lblToonBerichten"_s, u"Toon berichten"_s);
    auto& cboToonBerichten = add<ComboBox>(fraOverzicht, u"cboToonBerichten"_s);
    bind(chkDirectZoeken, &S::DirectZoeken);
    bind(cboPeriode, &S::OverzichtPeriode,
         {{u"Dag"_s, 1},
          {u"Week"_s, 7},
          {u"2 Weken"_s, 14},
          {u"Maand"_s, 30},
          {u"6 Maanden"_s, 180},
          {u"Alle data"_s, 0}});
    bind(cboToonBerichten, &S::OverzichtBerichten,
         {{u"Alle berichten"_s, 0}, {u"Alleen laatste bericht per klant"_s, 1}, {u"Verwijderde taken"_s, 2}});
    RowLayout(fraOverzicht, InnerWidth)
        .line(chkDirectZoeken)
        .field(lblPeriode, cboPeriode, ComboWidth, LabelWidth)
        .field(lblToonBerichten, cboToonBerichten, ComboWidth, LabelWidth)
        .finish();

    lblQuenmarixConsument = &add<Label>(fraInstelling, u"lblQuenmarixConsument"_s, u"Ga naar online instellingen"_s);
    lblQuenmarixConsument->setLink(true);
    lblQuenmarixConsument->Click.connect([this] { lblQuenmarixConsument_Click(); });
    RowLayout(fraInstelling, InnerWidth).line(*lblQuenmarixConsument).finish();
    // Shown once the portal address is known.
    fraInstelling.setVisible(false);

    stackFrames({&fraUitnodiging, &fraOverzicht, &fraInstelling});
}

void SetupQvxOnline::Fill()
{
    const int cd = Setup<S>().CdInventarisatie;
    chkInventarisatie[0]->setChecked(cd & 1);
    chkInventarisatie[1]->setChecked(cd & 2);
    for (const char* name : {"cboAanhef", "cboPeriode", "cboToonBerichten"})
        FitComboDropDown(form().get<ComboBox>(QString::fromLatin1(name)), ui());
    Fill_KantoorAdviseur();
    Fill_Snelkeuze();
}

// The click handlers stay silent while the page fills, and while the
// handler itself ticks the other box.
void SetupQvxOnline::chkInventarisatie_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [this, index] {
        const QScopedValueRollback filling(IsLoading, true);
        if (index == 0 && !chkInventarisatie[0]->isChecked())
            chkInventarisatie[1]->setChecked(false);
        if (index == 1 && chkInventarisatie[1]->isChecked())
            chkInventarisatie[0]->setChecked(true);
        Update_Cd_Inventarisatie();
    });
}

void SetupQvxOnline::Update_Cd_Inventarisatie()
{
    Setup<S>().CdInventarisatie =
        qint16((chkInventarisatie[0]->isChecked() ? 1 : 0) + (chkInventarisatie[1]->isChecked() ? 2 : 0));
}

QString SetupQvxOnline::sidKey(const QString& kantoorIdentificatie)
{
    QString key = EncodeBase64(kantoorIdentificatie);
    std::reverse(key.begin(), key.end());
    return key;
}

// Any text in "UrlServer" means a test installation, which uses the portal's
// test address. The key is percent-encoded in the address: a "+" or "/" of
// Base64 would otherwise reach the portal changed.
void SetupQvxOnline::Fill_KantoorAdviseur()
{
    guarded([this] {
        const QString urlServer = app().registry().RegGetString(
            Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey), QString(RegistryNames::UrlServer), QString());
        const QString base = urlServer.isEmpty() ? ProductieAdres : TestAdres;
        const QString kantoor =
            app().RunFunction(u"Instellingen"_s, u"Tarvelomain"_s, u"GetKantoorIdentificatie"_s).toString();
        if (kantoor.isEmpty())
            return; // without an office there is no page of its own on the portal
        const QString sid = QString::fromLatin1(QUrl::toPercentEncoding(sidKey(kantoor)));
        lblQuenmarixConsument->setTag(base + sid);
        fraInstelling.setVisible(true);
    });
}

void SetupQvxOnline::Fill_Snelkeuze()
{
    guarded([this] {
        if (!snelkeuze_) {
            UserControl& control = app().components().create(u"DocumentAanvraagSnelkeuze"_s, form(),
                                                             u"ucDocumentAanvraagSnelkeuze"_s, &fraUitnodiging);
            snelkeuze_ = &dynamic_cast<DocumentAanvraagSnelkeuze&>(control);
            form().relayout();
        }
        snelkeuze_->setBackColor(BackColor());
        snelkeuze_->setSetup(Setup());
        snelkeuze_->SetApplication(app());
    });
}

void SetupQvxOnline::lblQuenmarixConsument_Click()
{
    guarded([this] {
        const QString address = lblQuenmarixConsument->tag().toString();
        if (!address.isEmpty())
            ui().openAddress(address);
    });
}

} // namespace tarvelo
