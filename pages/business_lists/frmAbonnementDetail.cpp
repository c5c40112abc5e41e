#include "pages/business_lists/frmAbonnementDetail.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/util/ComboRoutines.h"
#include "framework/util/NumberText.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5400;
constexpr int LabelWidth = 1935;
constexpr int NumberWidth = 675;
const QString SoortPlaceholder = u"<soort abonnement>"_s;
const QString OmschrijvingPlaceholder = u"<omschrijving>"_s;

std::optional<double> number(const TextBox& box)
{
    if (box.text().trimmed().isEmpty())
        return 0.0;
    return typedNumber(box);
}
} // namespace

frmAbonnementDetail::frmAbonnementDetail()
    : Dialog(u"frmAbonnementDetail"_s, u"Instellingen - Abonnementen"_s),
      txtSoortAbonnement(add<TextBox>(add<Frame>(*this, u"fraAbonnement"_s), u"txtSoortAbonnement"_s)),
      txtOmschrijving(add<TextBox>(get<Frame>(u"fraAbonnement"_s), u"txtOmschrijving"_s)),
      txtTermijnbedrag(add<TextBox>(get<Frame>(u"fraAbonnement"_s), u"txtTermijnbedrag"_s)),
      cboBetalingstermijn(add<ComboBox>(get<Frame>(u"fraAbonnement"_s), u"cboBetalingstermijn"_s)),
      txtControletermijn(add<TextBox>(get<Frame>(u"fraAbonnement"_s), u"txtControletermijn"_s)),
      cboControletermijn(add<ComboBox>(get<Frame>(u"fraAbonnement"_s), u"cboControletermijn"_s)),
      txtContractduurJaar(add<TextBox>(get<Frame>(u"fraAbonnement"_s), u"txtContractduurJaar"_s)),
      txtContractduurMaand(add<TextBox>(get<Frame>(u"fraAbonnement"_s), u"txtContractduurMaand"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdCancel(add<CommandButton>(*this, u"cmdCancel"_s))
{
    setCaption(u"Abonnement"_s);
    auto& fra = get<Frame>(u"fraAbonnement"_s);
    const auto label = [this, &fra](const char* name, const char* caption) -> Label& {
        auto& l = add<Label>(fra, QString::fromLatin1(name));
        l.setCaption(QString::fromUtf8(caption));
        return l;
    };
    auto& lblSoort = label("lblSoortAbonnement", "Soort abonnement");
    auto& lblOmschrijving = label("lblOmschrijving", "Omschrijving");
    auto& lblBedrag = label("lblTermijnbedrag", "Termijnbedrag");
    auto& lblBetaling = label("lblBetalingstermijn", "Betalingstermijn");
    auto& lblControle = label("lblControletermijn", "Controleperiode");
    auto& lblContract = label("lblContractduur", "Contractduur");
    auto& lblJaar = label("lblJaar", "jaar");
    auto& lblMaanden = label("lblMaanden", "maanden");
    for (TextBox* box : {&txtTermijnbedrag, &txtControletermijn, &txtContractduurJaar, &txtContractduurMaand})
        box->setAlignment(Alignment::Right);
    txtSoortAbonnement.setMaxLength(50);
    txtOmschrijving.setMaxLength(100);

    RowLayout(fra, InnerWidth, false)
        .field(lblSoort, txtSoortAbonnement, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .field(lblOmschrijving, txtOmschrijving, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .field(lblBedrag, txtTermijnbedrag, 1095, LabelWidth)
        .field(lblBetaling, cboBetalingstermijn, 1455, LabelWidth)
        .row({{&lblControle, LabelWidth}, {&txtControletermijn, NumberWidth}, {&cboControletermijn, 1455}})
        .row({{&lblContract, LabelWidth},
              {&txtContractduurJaar, NumberWidth},
              {&lblJaar, 480},
              {&txtContractduurMaand, NumberWidth},
              {&lblMaanden, 0}})
        .finish();
    fra.move(RowLayout::DialogMargin, RowLayout::DialogMargin);
    cmdOk.setCaption(u"&OK"_s);
    cmdCancel.setCaption(u"&Annuleren"_s);
    placeButtonRow({&cmdOk, &cmdCancel}, &cmdOk, &cmdCancel);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdCancel.Click.connect([this] { close(true); });
}

AbonnementSettings& frmAbonnementDetail::abonnementen() const
{
    if (!setup_)
        throw RuntimeError::objectRequired();
    return setup_->get<AbonnementSettings>();
}

void frmAbonnementDetail::Fill_Control()
{
    guarded([this] {
        cboBetalingstermijn.clear();
        cboBetalingstermijn.addItemWithData(u"Maand"_s, 1);
        cboBetalingstermijn.addItemWithData(u"Kwartaal"_s, 3);
        cboBetalingstermijn.addItemWithData(u"Half jaar"_s, 6);
        cboBetalingstermijn.addItemWithData(u"Jaar"_s, 12);
        cboControletermijn.clear();
        cboControletermijn.addItemWithData(u"Maand"_s, 1);
        cboControletermijn.addItemWithData(u"Jaar"_s, 12);
        AbonnementRecord shown;
        if (!id_.isEmpty()) {
            const AbonnementRecord* record = abonnementen().AbonnementOpID(id_);
            if (!record)
                throw RuntimeError::subscriptOutOfRange();
            kept_ = *record;
            shown = *record;
            txtSoortAbonnement.setText(shown.Soort);
            txtOmschrijving.setText(shown.Omschrijving);
        } else {
            txtSoortAbonnement.setText(SoortPlaceholder);
            txtOmschrijving.setText(OmschrijvingPlaceholder);
            // Typing replaces the placeholder.
            txtSoortAbonnement.setSelection(0, SoortPlaceholder.size());
            txtOmschrijving.setSelection(0, OmschrijvingPlaceholder.size());
            txtSoortAbonnement.setFocus();
        }
        txtSoortAbonnement.setEnabled(id_.isEmpty());
        txtOmschrijving.setEnabled(id_.isEmpty());
        txtTermijnbedrag.setText(amountText(shown.Termijnbedrag));
        SelectComboByItemData(cboBetalingstermijn, shown.Betaaltermijn);
        txtControletermijn.setText(QString::number(shown.ControleAantal));
        SelectComboByItemData(cboControletermijn, shown.ControleEenheid);
        txtContractduurJaar.setText(QString::number(shown.Contractduur / 12));
        txtContractduurMaand.setText(QString::number(shown.Contractduur % 12));
    });
}

// The same kind and description twice cannot be told apart in an advice;
// the comparison is exact.
bool frmAbonnementDetail::Check_DubbelAbonnement()
{
    if (!id_.isEmpty())
        return true;
    const QString soort = txtSoortAbonnement.text();
    const QString omschrijving = txtOmschrijving.text();
    for (int i = 1; const AbonnementRecord* r = abonnementen().Abonnement(i); ++i) {
        if (r->Soort == soort && r->Omschrijving == omschrijving)
            return failCheck(u"Er bestaat al een abonnement met dezelfde soort en omschrijving."_s, caption(),
                             &txtSoortAbonnement);
    }
    return true;
}

std::optional<AbonnementRecord> frmAbonnementDetail::Read_Fields()
{
    AbonnementRecord r = kept_;
    if (id_.isEmpty()) {
        r.Soort = txtSoortAbonnement.text().trimmed();
        r.Omschrijving = txtOmschrijving.text().trimmed();
        if (r.Soort.isEmpty() || r.Soort == SoortPlaceholder) {
            failCheck(u"Vul de soort van het abonnement in."_s, caption(), &txtSoortAbonnement);
            return std::nullopt;
        }
        if (r.Omschrijving == OmschrijvingPlaceholder)
            r.Omschrijving.clear();
    }
    const std::optional<double> bedrag = number(txtTermijnbedrag);
    if (!bedrag || *bedrag < 0) {
        failCheck(u"Vul een geldig termijnbedrag in."_s, caption(), &txtTermijnbedrag);
        return std::nullopt;
    }
    const std::optional<double> controle = number(txtControletermijn);
    if (!controle || *controle < 0 || *controle > 999 || *controle != qint16(*controle)) {
        failCheck(u"Vul een geldige controleperiode in."_s, caption(), &txtControletermijn);
        return std::nullopt;
    }
    const std::optional<double> jaren = number(txtContractduurJaar);
    const std::optional<double> maanden = number(txtContractduurMaand);
    if (!jaren || !maanden || *jaren < 0 || *maanden < 0 || *jaren != int(*jaren) || *maanden != int(*maanden) ||
        *jaren * 12 + *maanden > 1200) {
        failCheck(u"Vul een geldige contractduur in."_s, caption(), &txtContractduurJaar);
        return std::nullopt;
    }
    r.Termijnbedrag = *bedrag;
    r.Contractduur = qint16(int(*jaren) * 12 + int(*maanden));
    r.ControleAantal = qint16(*controle);
    if (cboControletermijn.listIndex() >= 0)
        r.ControleEenheid = qint16(cboControletermijn.itemData(cboControletermijn.listIndex()));
    if (cboBetalingstermijn.listIndex() >= 0)
        r.Betaaltermijn = qint16(cboBetalingstermijn.itemData(cboBetalingstermijn.listIndex()));
    return r;
}

void frmAbonnementDetail::cmdOk_Click()
{
    guarded([this] {
        if (!Check_DubbelAbonnement())
            return;
        const std::optional<AbonnementRecord> read = Read_Fields();
        if (!read)
            return;
        if (id_.isEmpty()) {
            AbonnementRecord nieuw = *read;
            nieuw.Actief = true;
            id_ = abonnementen().AddAbonnement(nieuw).ID;
        } else {
            AbonnementRecord* record = abonnementen().AbonnementOpID(id_);
            if (!record)
                throw RuntimeError::subscriptOutOfRange();
            gewijzigd_ = read->Termijnbedrag != kept_.Termijnbedrag || read->ControleAantal != kept_.ControleAantal ||
                         read->ControleEenheid != kept_.ControleEenheid || read->Contractduur != kept_.Contractduur ||
                         read->Betaaltermijn != kept_.Betaaltermijn;
            *record = *read;
        }
        close(false);
    });
}

} // namespace tarvelo
