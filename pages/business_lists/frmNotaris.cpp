#include "pages/business_lists/frmNotaris.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Label.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/NotarisSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6300;
// As wide as the address block's own label column, so that all fields line up.
constexpr int LabelWidth = 3030;
} // namespace

frmNotaris::frmNotaris()
    : Dialog(u"frmNotaris"_s, u"Instellingen - Notaris"_s),
      txtNaamNotaris(add<TextBox>(add<Frame>(*this, u"fraNotaris"_s), u"txtNaamNotaris"_s)),
      AdresGegevens(add<AddressControl>(get<Frame>(u"fraNotaris"_s), u"AdresGegevens"_s)),
      txtTelefoonNotaris(add<TextBox>(get<Frame>(u"fraNotaris"_s), u"txtTelefoonNotaris"_s)),
      optMan(add<OptionButton>(add<Frame>(*this, u"fraContact"_s), u"optGeslachtNotaris"_s, {}, 0)),
      optVrouw(add<OptionButton>(get<Frame>(u"fraContact"_s), u"optGeslachtNotaris"_s, {}, 1)),
      txtVoorlettersNotaris(add<TextBox>(get<Frame>(u"fraContact"_s), u"txtVoorlettersNotaris"_s)),
      txtVoorvoegselNotaris(add<TextBox>(get<Frame>(u"fraContact"_s), u"txtVoorvoegselNotaris"_s)),
      txtAchternaamNotaris(add<TextBox>(get<Frame>(u"fraContact"_s), u"txtAchternaamNotaris"_s)),
      cmdOK(add<CommandButton>(*this, u"cmdOK"_s)),
      cmdCancel(add<CommandButton>(*this, u"cmdCancel"_s))
{
    setCaption(captionFor(0));
    auto& fraNotaris = get<Frame>(u"fraNotaris"_s);
    auto& fraContact = get<Frame>(u"fraContact"_s);
    fraNotaris.setCaption(u"Notaris"_s);
    fraContact.setCaption(u"Contactpersoon"_s);

    const auto label = [this](Frame& frame, const char* name, const char* caption) -> Label& {
        auto& l = add<Label>(frame, QString::fromLatin1(name));
        l.setCaption(QString::fromUtf8(caption));
        return l;
    };
    auto& lblNaam = label(fraNotaris, "lblNaamNotaris", "Notariskantoor");
    auto& lblTelefoon = label(fraNotaris, "lblTelefoonNotaris", "Telefoonnummer");
    auto& lblGeslacht = label(fraContact, "lblGeslachtNotaris", "Geslacht / voorletters");
    auto& lblAchternaam = label(fraContact, "lblAchternaamNotaris", "Voorvoegsel / achternaam");
    optMan.setCaption(u"Man"_s);
    optVrouw.setCaption(u"Vrouw"_s);
    txtNaamNotaris.setMaxLength(100);
    txtVoorlettersNotaris.setMaxLength(20);
    txtVoorvoegselNotaris.setMaxLength(20);

    RowLayout(fraNotaris, InnerWidth)
        .field(lblNaam, txtNaamNotaris, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .line(AdresGegevens, AdresGegevens.height())
        .field(lblTelefoon, txtTelefoonNotaris, InnerWidth - LabelWidth - RowLayout::Gap, LabelWidth)
        .finish();
    RowLayout(fraContact, InnerWidth)
        .row({{&lblGeslacht, LabelWidth}, {&optMan, 795}, {&optVrouw, 900}, {&txtVoorlettersNotaris, 0}})
        .row({{&lblAchternaam, LabelWidth}, {&txtVoorvoegselNotaris, 1035}, {&txtAchternaamNotaris, 0}})
        .finish();
    fraNotaris.move(RowLayout::DialogMargin, RowLayout::DialogMargin);
    fraContact.move(RowLayout::DialogMargin, fraNotaris.bottom() + RowLayout::DialogMargin);
    cmdOK.setCaption(u"&OK"_s);
    cmdCancel.setCaption(u"&Annuleren"_s);
    placeButtonRow({&cmdOK, &cmdCancel}, &cmdOK, &cmdCancel);

    cmdOK.Click.connect([this] { cmdOK_Click(); });
    cmdCancel.Click.connect([this] { cmdCancel_Click(); });
}

QString frmNotaris::captionFor(int index)
{
    return index == 0 ? u"Toevoegen notariskantoor"_s : u"Bewerken notariskantoor"_s;
}

void frmNotaris::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Controls();
}

NotarisSettings& frmNotaris::notarissen() const
{
    if (!setup_)
        throw RuntimeError::objectRequired();
    return setup_->get<NotarisSettings>();
}

frmNotaris::Shown frmNotaris::shownAtFill() const
{
    return {txtNaamNotaris.text(),        txtTelefoonNotaris.text(),   txtVoorlettersNotaris.text(),
            txtVoorvoegselNotaris.text(), txtAchternaamNotaris.text(), AdresGegevens.address()};
}

void frmNotaris::Fill_Controls()
{
    guarded([this] {
        setCaption(captionFor(Index));
        if (Index == 0) {
            // A new office starts empty, also in a dialog the host shows again.
            for (TextBox* box : {&txtNaamNotaris, &txtTelefoonNotaris, &txtVoorlettersNotaris, &txtVoorvoegselNotaris,
                                 &txtAchternaamNotaris})
                box->setText(QString());
            AdresGegevens.setAddress({});
            optMan.setValue(false);
            optVrouw.setValue(false);
            filled_ = shownAtFill();
            return;
        }
        const NotarisRecord* notaris = notarissen().Notaris(Index);
        if (!notaris)
            throw RuntimeError::subscriptOutOfRange();
        txtNaamNotaris.setText(notaris->Naam);
        Fill_AdresGegevens(*notaris);
        txtTelefoonNotaris.setText(notaris->Telefoon);
        // Neither option is chosen for an office whose gender was never given.
        if (notaris->Geslacht == QLatin1String("V"))
            optVrouw.setValue(true);
        else if (notaris->Geslacht == QLatin1String("M"))
            optMan.setValue(true);
        else {
            optMan.setValue(false);
            optVrouw.setValue(false);
        }
        txtVoorlettersNotaris.setText(notaris->Voorletters);
        txtVoorvoegselNotaris.setText(notaris->Voorvoegsel);
        txtAchternaamNotaris.setText(notaris->Achternaam);
        filled_ = shownAtFill();
    });
}

void frmNotaris::Fill_AdresGegevens(const NotarisRecord& record)
{
    AdresGegevens.setAddress({record.Straat, record.Huisnummer == 0 ? QString() : QString::number(record.Huisnummer),
                              record.Toevoeging, record.Postcode, record.Woonplaats});
}

// A nameless office would be an empty row in the list; the address control
// decides what a usable address needs (street, house number, a Dutch postcode
// and the place).
bool frmNotaris::Validation()
{
    bool valid = false;
    guarded([&] {
        if (txtNaamNotaris.text().trimmed().isEmpty())
            return void(failCheck(u"Vul de naam van het notariskantoor in."_s, caption(), &txtNaamNotaris));
        const QString message = AdresGegevens.Check();
        if (!message.isEmpty())
            return void(failCheck(message, caption(), &AdresGegevens));
        valid = true;
    });
    return valid;
}

void frmNotaris::cmdOK_Click()
{
    guarded([this] {
        if (!Validation())
            return;
        NotarisRecord* notaris = Index == 0 ? &notarissen().AddNotaris() : notarissen().Notaris(Index);
        if (!notaris)
            throw RuntimeError::subscriptOutOfRange();
        // Only what the user changed is tidied and written; an untouched field
        // keeps its stored value exactly (a postcode stored as "1234AB" stays so).
        const Shown now = shownAtFill();
        const auto write = [](QString& field, const QString& shown, const QString& filled, const QString& tidied) {
            if (shown != filled)
                field = tidied;
        };
        const Address& address = now.adres;
        const Address& filledAddress = filled_.adres;
        write(notaris->Naam, now.naam, filled_.naam, now.naam.trimmed());
        write(notaris->Straat, address.straat, filledAddress.straat, address.straat.trimmed());
        if (address.huisnummer != filledAddress.huisnummer)
            notaris->Huisnummer = address.huisnummer.trimmed().toInt();
        write(notaris->Toevoeging, address.toevoeging, filledAddress.toevoeging, address.toevoeging.trimmed());
        write(notaris->Postcode, address.postcode, filledAddress.postcode,
              AddressControl::normalisedPostcode(address.postcode));
        write(notaris->Woonplaats, address.plaats, filledAddress.plaats, address.plaats.trimmed());
        write(notaris->Telefoon, now.telefoon, filled_.telefoon, now.telefoon.trimmed());
        // Without a choice the stored gender stays as it was, also when none was stored.
        if (optVrouw.value())
            notaris->Geslacht = u"V"_s;
        else if (optMan.value())
            notaris->Geslacht = u"M"_s;
        write(notaris->Voorletters, now.voorletters, filled_.voorletters, now.voorletters.trimmed());
        write(notaris->Voorvoegsel, now.voorvoegsel, filled_.voorvoegsel, now.voorvoegsel.trimmed());
        write(notaris->Achternaam, now.achternaam, filled_.achternaam, now.achternaam.trimmed());
        close(false);
    });
}

void frmNotaris::cmdCancel_Click() { close(true); }

} // namespace tarvelo
