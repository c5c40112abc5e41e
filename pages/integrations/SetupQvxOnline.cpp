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

#include <QUrl>
#include <algorithm>

namespace tarvelo {

namespace {
using S = OnlineInventorySettings;
constexpr int InnerWidth = 6000;
constexpr int ComboWidth = 3000;
constexpr int LabelWidth = 2700;
constexpr int SnelkeuzeHeight = 315;
} // namespace

SetupQvxOnline::SetupQvxOnline()
    : SettingsPage(QStringLiteral("SetupQvxOnline")),
      fraUitnodiging(add<Frame>(form(), QStringLiteral("fraUitnodiging"), QStringLiteral("Uitnodiging"))),
      fraInstelling(add<Frame>(form(), QStringLiteral("fraInstelling"), QStringLiteral("Kantoor- en adviseurgegevens")))
{
    auto& lblInvullen = add<Label>(fraUitnodiging, QStringLiteral("lblInvullen"), QStringLiteral("Klant moet invullen"));
    chkInventarisatie[0] = &add<CheckBox>(fraUitnodiging, QStringLiteral("chkInventarisatie"), QStringLiteral("Basis"), 0);
    chkInventarisatie[1] =
        &add<CheckBox>(fraUitnodiging, QStringLiteral("chkInventarisatie"), QStringLiteral("Financieel"), 1);
    auto& chkKlantprofiel = add<CheckBox>(fraUitnodiging, QStringLiteral("chkKlantprofiel"), QStringLiteral("Klantprofiel"));
    auto& chkDocumenten = add<CheckBox>(fraUitnodiging, QStringLiteral("chkDocumenten"), QStringLiteral("Documenten"));
    auto& chkCheckHdn = add<CheckBox>(fraUitnodiging, QStringLiteral("chkCheckHdnDocumenten"),
                                      QStringLiteral("Controleer op openstaande HDN-documenten"));
    auto& lblAanhef = add<Label>(fraUitnodiging, QStringLiteral("lblAanhef"), QStringLiteral("Aanhef"));
    auto& cboAanhef = add<ComboBox>(fraUitnodiging, QStringLiteral("cboAanhef"));
    hntUitnodiging = &add<Hint>(
        fraUitnodiging, QStringLiteral("hntUitnodiging"),
        QStringLiteral("Een financi\u00eble inventarisatie omvat altijd ook de basisinventarisatie. Kies hieronder welke "
                       "documenten de klant bij de uitnodiging wordt gevraagd aan te leveren."));
    for (int i = 0; i < 2; ++i)
        chkInventarisatie[i]->Click.connect([this, i] { chkInventarisatie_Click(i); });
    bind(chkKlantprofiel, &S::InventarisatieKlantprofiel);
    bind(chkDocumenten, &S::InventarisatieDocumenten);
    bind(chkCheckHdn, &S::CheckHdnDocumenten);
    bind(cboAanhef, &S::Aanhef, {{QStringLiteral("Formeel"), 1}, {QStringLiteral("Informeel"), 2}});
    RowLayout uitnodiging(fraUitnodiging, InnerWidth);
    uitnodiging.line(lblInvullen, RowLayout::LabelHeight)
        .row({{chkInventarisatie[0], 1000}, {chkInventarisatie[1], 1400}, {&chkKlantprofiel, 1500}, {&chkDocumenten, 0}})
        .line(chkCheckHdn, RowLayout::LabelHeight)
        .field(lblAanhef, cboAanhef, ComboWidth, LabelWidth)
        .text(*hntUitnodiging);
    // Room for the document-request control, which the host creates when the page is filled.
    uitnodiging.space(SnelkeuzeHeight + RowLayout::RowGap).finish();

    auto& fraOverzicht = add<Frame>(form(), QStringLiteral("fraOverzicht"), QStringLiteral("Overzichtsscherm"));
    auto& chkDirectZoeken =
        add<CheckBox>(fraOverzicht, QStringLiteral("chkDirectZoeken"), QStringLiteral("Direct bijwerken bij openen scherm"));
    auto& lblPeriode = add<Label>(fraOverzicht, QStringLiteral("lblPeriode"), QStringLiteral("Toon status van laatste"));
    auto& cboPeriode = add<ComboBox>(fraOverzicht, QStringLiteral("cboPeriode"));
    auto& lblToonBerichten = add<Label>(fraOverzicht, QStringLiteral("lblToonBerichten"), QStringLiteral("Toon berichten"));
    auto& cboToonBerichten = add<ComboBox>(fraOverzicht, QStringLiteral("cboToonBerichten"));
    bind(chkDirectZoeken, &S::DirectZoeken);
    bind(cboPeriode, &S::OverzichtPeriode,
         {{QStringLiteral("Dag"), 1}, {QStringLiteral("Week"), 7}, {QStringLiteral("2 Weken"), 14},
          {QStringLiteral("Maand"), 30}, {QStringLiteral("6 Maanden"), 180}, {QStringLiteral("Alle data"), 0}});
    bind(cboToonBerichten, &S::OverzichtBerichten,
         {{QStringLiteral("Alle berichten"), 0}, {QStringLiteral("Alleen laatste bericht per klant"), 1},
          {QStringLiteral("Verwijderde taken"), 2}});
    RowLayout(fraOverzicht, InnerWidth)
        .line(chkDirectZoeken, RowLayout::LabelHeight)
        .field(lblPeriode, cboPeriode, ComboWidth, LabelWidth)
        .field(lblToonBerichten, cboToonBerichten, ComboWidth, LabelWidth)
        .finish();

    lblQuenmarixConsument =
        &add<Label>(fraInstelling, QStringLiteral("lblQuenmarixConsument"), QStringLiteral("Ga naar online instellingen"));
    lblQuenmarixConsument->setLink(true);
    lblQuenmarixConsument->Click.connect([this] { lblQuenmarixConsument_Click(); });
    RowLayout(fraInstelling, InnerWidth).line(*lblQuenmarixConsument, RowLayout::LabelHeight).finish();
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
        IsLoading = true;
        struct Restore {
            bool& flag;
            ~Restore() { flag = false; }
        } restore{IsLoading};
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
            app().RunFunction(QStringLiteral("Instellingen"), QStringLiteral("Tarvelomain"),
                              QStringLiteral("GetKantoorIdentificatie"))
                .toString();
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
            UserControl& control = app().components().create(QStringLiteral("DocumentAanvraagSnelkeuze"), form(),
                                                             QStringLiteral("ucDocumentAanvraagSnelkeuze"), &fraUitnodiging);
            snelkeuze_ = &dynamic_cast<DocumentAanvraagSnelkeuze&>(control);
            snelkeuze_->setBounds(hntUitnodiging->left(), hntUitnodiging->bottom() + RowLayout::RowGap,
                                  hntUitnodiging->width(), lblQuenmarixConsument->height() * SnelkeuzeHeight /
                                                               RowLayout::LabelHeight);
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
