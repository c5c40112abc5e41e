#include "pages/general/KantoorGegevens.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/OfficeSettings.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6600;
constexpr int LabelWidth = 2895;
constexpr int FieldWidth = InnerWidth - LabelWidth - RowLayout::Gap;
} // namespace

KantoorGegevens::KantoorGegevens() : SettingsPage(u"KantoorGegevens"_s)
{
    auto& fra = add<Frame>(form(), u"fraKantoorInst"_s, u"Kantoorgegevens"_s);
    auto readOnly = [&](const QString& name) {
        TextBox& box = add<TextBox>(fra, name);
        box.setLocked(true);
        return &box;
    };
    auto& lblNaam = add<Label>(fra, u"lblNaam"_s, u"Naam"_s);
    txtNaam = readOnly(u"txtNaam"_s);
    auto& lblStraat = add<Label>(fra, u"lblStraat"_s, u"Straat / huisnummer / toevoeging"_s);
    txtStraat = readOnly(u"txtStraat"_s);
    txtHuisnr = readOnly(u"txtHuisnr"_s);
    txtToevoeging = readOnly(u"txtToevoeging"_s);
    auto& lblPostcode = add<Label>(fra, u"lblPostcode"_s, u"Postcode / woonplaats"_s);
    txtPostcode = readOnly(u"txtPostcode"_s);
    txtWoonplaats = readOnly(u"txtWoonplaats"_s);
    auto& lblContact = add<Label>(fra, u"lblContactPersoon"_s, u"Adviseur"_s);
    txtContactPersoon = readOnly(u"txtContactPersoon"_s);

    RowLayout rows(fra, InnerWidth);
    rows.field(lblNaam, *txtNaam, FieldWidth, LabelWidth)
        .row({{&lblStraat, LabelWidth}, {txtStraat, FieldWidth - 1590}, {txtHuisnr, 675}, {txtToevoeging, 0}})
        .row({{&lblPostcode, LabelWidth}, {txtPostcode, 915}, {txtWoonplaats, 0}})
        .field(lblContact, *txtContactPersoon, FieldWidth, LabelWidth);

    // The editable fields: each change is handed back to the host at once, so
    // that it registers the change of its settings object.
    const std::pair<const char*, const char*> editable[] = {{"TelefoonNr", "Telefoonnummer"},
                                                            {"TelefaxNr", "Telefaxnummer"},
                                                            {"EMailadres", "Emailadres"},
                                                            {"URL", "Internetadres"},
                                                            {"AFMRegistratieNr", "AFM registratienummer"}};
    Setting<QString> OfficeSettings::*members[] = {&OfficeSettings::TelefoonNr, &OfficeSettings::TelefaxNr,
                                                   &OfficeSettings::EMailadres, &OfficeSettings::URL,
                                                   &OfficeSettings::AFMRegistratieNr};
    for (std::size_t i = 0; i < std::size(editable); ++i) {
        const QString field = QString::fromLatin1(editable[i].first);
        auto& label = add<Label>(fra, u"lbl"_s + field, QString::fromUtf8(editable[i].second));
        auto& box = add<TextBox>(fra, u"txt"_s + field);
        bind(box, members[i]).then([this] { app().SetupChanged(); });
        rows.field(label, box, FieldWidth, LabelWidth);
    }
    // The telephone number is one word: the note wraps around it, never inside
    // it (no-break spaces, and a word joiner after the dash, after which a line
    // could break otherwise).
    const QString telefoon = u"020 -\u2060 123 45 67"_s.replace(u' ', QChar::Nbsp);
    auto& lblNoot = add<Label>(fra, u"lblNoot"_s,
                               u"Kloppen de getoonde naam- en adresgegevens niet? Neem dan contact op met "
                               "de leverancier, telefonisch via "_s +
                                   telefoon + u" of per e-mail via support@quenmarix.nl."_s);
    rows.space(RowLayout::RowGap).text(lblNoot).finish();
    stackFrames({&fra});
}

QString KantoorGegevens::contactPerson(const QString& voorletters, const QString& tussenvoegsel,
                                       const QString& achternaam)
{
    QStringList parts;
    for (const QString& part : {voorletters, tussenvoegsel, achternaam}) {
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    }
    return parts.join(QLatin1Char(' '));
}

void KantoorGegevens::Fill()
{
    const OfficeSettings& kantoor = Setup<OfficeSettings>();
    const OfficeAddressSettings& adres = Setup<OfficeAddressSettings>();
    txtNaam->setText(kantoor.Naam);
    txtStraat->setText(adres.Straat);
    txtHuisnr->setText(adres.Huisnummer == 0 ? QString() : QString::number(adres.Huisnummer));
    txtToevoeging->setText(adres.Toevoeging);
    txtPostcode->setText(adres.Postcode);
    txtWoonplaats->setText(adres.Woonplaats);
    txtContactPersoon->setText(contactPerson(adres.Voorletters, adres.Tussenvoegsel, adres.Achternaam));
}

} // namespace tarvelo
