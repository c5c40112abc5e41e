#include "pages/companies/frmInkoopcombinatie.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Maatschappij.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/InkoopcombinatieSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 4500;
constexpr int LabelWidth = 1815;
const QString InvalidInput = u"Ongeldige invoer"_s;
const QString Caption = u"Toevoegen serviceprovider"_s;
} // namespace

frmInkoopcombinatie::frmInkoopcombinatie()
    : Dialog(u"frmInkoopcombinatie"_s, u"Instellingen - Serviceproviders"_s),
      txtNaam(add<TextBox>(add<Frame>(*this, u"fraInkoopcombinatie"_s), u"txtNaam"_s)),
      txtHDNNummer(add<TextBox>(get<Frame>(u"fraInkoopcombinatie"_s), u"txtHDNNummer"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdCancel(add<CommandButton>(*this, u"cmdCancel"_s))
{
    setCaption(Caption);
    auto& fra = get<Frame>(u"fraInkoopcombinatie"_s);
    auto& lblNaam = add<Label>(fra, u"lblNaam"_s);
    lblNaam.setCaption(u"Naam serviceprovider"_s);
    auto& lblHDNNummer = add<Label>(fra, u"lblHDNNummer"_s);
    lblHDNNummer.setCaption(u"HDN nummer"_s);
    txtNaam.setMaxLength(100);
    RowLayout(fra, InnerWidth)
        .field(lblNaam, txtNaam, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .field(lblHDNNummer, txtHDNNummer, 1215, LabelWidth)
        .finish();
    fra.move(RowLayout::DialogMargin, RowLayout::DialogMargin);
    cmdOk.setCaption(u"&OK"_s);
    cmdCancel.setCaption(u"&Annuleren"_s);
    placeButtonRow({&cmdOk, &cmdCancel}, &cmdOk, &cmdCancel);

    txtHDNNummer.Validate.connect([this](bool& cancel) { txtHDNNummer_Validation(cancel); });
    txtNaam.Validate.connect([this](bool& cancel) { txtNaam_Validation(cancel); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdCancel.Click.connect([this] { close(true); });
}

bool frmInkoopcombinatie::Validation(Field field)
{
    bool valid = false;
    guarded([&] {
        const QString number = txtHDNNummer.text();
        if (field == AllFields || field == HdnNummerField) {
            if (number.size() != 6)
                return void(failCheck(u"HDN nummer moet 6 posities lang zijn."_s, InvalidInput, &txtHDNNummer));
            if (!IsHdnNummer(number))
                return void(failCheck(u"HDN nummer moet numeriek zijn."_s, InvalidInput, &txtHDNNummer));
        }
        if ((field == AllFields || field == NaamField) && txtNaam.text().trimmed().isEmpty())
            return void(failCheck(u"Naam serviceprovider moet ingevuld zijn."_s, InvalidInput, &txtNaam));
        if (field == AllFields) {
            if (!setup_)
                throw RuntimeError::objectRequired();
            const InkoopcombinatieSettings& list = setup_->get<InkoopcombinatieSettings>();
            for (int i = 1; const InkoopcombinatieRecord* entry = list.Inkoopcombinatie(i); ++i) {
                if (entry->HDNNummer == number)
                    return void(failCheck(u"Deze serviceprovider staat al in de lijst."_s, Caption, &txtHDNNummer));
            }
        }
        valid = true;
    });
    return valid;
}

void frmInkoopcombinatie::txtHDNNummer_Validation(bool& Cancel)
{
    guarded([&] { Cancel = !Validation(HdnNummerField); });
}

void frmInkoopcombinatie::txtNaam_Validation(bool& Cancel)
{
    guarded([&] { Cancel = !Validation(NaamField); });
}

void frmInkoopcombinatie::cmdOk_Click()
{
    guarded([this] {
        if (!Validation(AllFields))
            return;
        InkoopcombinatieRecord& added = setup_->get<InkoopcombinatieSettings>().AddInkoopcombinatie();
        added.TypeCode = u"A"_s;
        added.HDNNummer = txtHDNNummer.text();
        added.Naam = txtNaam.text().trimmed();
        added.Geselecteerd = false;
        close(false);
    });
}

} // namespace tarvelo
