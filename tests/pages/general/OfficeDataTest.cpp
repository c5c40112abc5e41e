#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "pages/general/KantoorGegevens.h"
#include "pages/general/frmFormaatLogo.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct KantoorGegevensTest : PageTest {
    OfficeSettings& kantoor() { return h.setup().get<OfficeSettings>(); }
    OfficeAddressSettings& adres() { return h.setup().get<OfficeAddressSettings>(); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
};
} // namespace

// The contact person is the non-empty parts joined with single spaces.
TEST(KantoorGegevensContact, NonEmptyPartsJoined)
{
    EXPECT_EQ(KantoorGegevens::contactPerson("J.", "", "Jansen"), "J. Jansen");
    EXPECT_EQ(KantoorGegevens::contactPerson("J.", "van", "Dijk"), "J. van Dijk");
    EXPECT_EQ(KantoorGegevens::contactPerson("", "", "Dijk"), "Dijk");
    EXPECT_EQ(KantoorGegevens::contactPerson("", "", ""), "");
}

// The fill must show the office record; the registered data cannot be edited.
TEST_F(KantoorGegevensTest, FillShowsTheOffice)
{
    kantoor().Naam = u"Hypotheekhuis Utrecht"_s;
    kantoor().TelefoonNr = u"030-1234567"_s;
    kantoor().AFMRegistratieNr = u"12001234"_s;
    adres().Straat = u"Oudegracht"_s;
    adres().Huisnummer = 120;
    adres().Toevoeging = u"bis"_s;
    adres().Postcode = u"3511 AZ"_s;
    adres().Woonplaats = u"Utrecht"_s;
    adres().Voorletters = u"A.B."_s;
    adres().Achternaam = u"Visser"_s;
    auto& page = h.open("KantoorGegevens");
    EXPECT_EQ(page.attachKind(), SettingsPage::AttachKind::SetApplication);
    EXPECT_EQ(h.control<Frame>("fraKantoorInst").caption(), "Kantoorgegevens");
    EXPECT_EQ(txt("txtNaam").text(), "Hypotheekhuis Utrecht");
    EXPECT_EQ(txt("txtStraat").text(), "Oudegracht");
    EXPECT_EQ(txt("txtHuisnr").text(), "120");
    EXPECT_EQ(txt("txtToevoeging").text(), "bis");
    EXPECT_EQ(txt("txtPostcode").text(), "3511 AZ");
    EXPECT_EQ(txt("txtWoonplaats").text(), "Utrecht");
    EXPECT_EQ(txt("txtContactPersoon").text(), "A.B. Visser");
    EXPECT_EQ(txt("txtTelefoonNr").text(), "030-1234567");
    EXPECT_EQ(txt("txtAFMRegistratieNr").text(), "12001234");
    for (const char* locked :
         {"txtNaam", "txtStraat", "txtHuisnr", "txtPostcode", "txtWoonplaats", "txtContactPersoon"})
        EXPECT_TRUE(txt(locked).locked()) << locked;
    EXPECT_EQ(h.control<Label>("lblContactPersoon").caption(), "Adviseur");
    EXPECT_EQ(h.control<Label>("lblAFMRegistratieNr").caption(), "AFM registratienummer");
    EXPECT_EQ(h.control<Label>("lblEMailadres").caption(), "Emailadres");
    EXPECT_EQ(h.app().setupChangedCount(), 0);
    bool cancel = false;
    page.Validation(cancel, 0);
    EXPECT_FALSE(cancel);
}

// Each editable box writes its property and hands the change to the host on every change.
TEST_F(KantoorGegevensTest, EditableFieldsGoBackToTheHost)
{
    h.open("KantoorGegevens");
    struct Case {
        const char* box;
        Setting<QString> OfficeSettings::*member;
    };
    const Case cases[] = {{"txtTelefoonNr", &OfficeSettings::TelefoonNr},
                          {"txtTelefaxNr", &OfficeSettings::TelefaxNr},
                          {"txtEMailadres", &OfficeSettings::EMailadres},
                          {"txtURL", &OfficeSettings::URL},
                          {"txtAFMRegistratieNr", &OfficeSettings::AFMRegistratieNr}};
    int changes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        txt(c.box).type("waarde van " + QString::fromLatin1(c.box));
        EXPECT_EQ((kantoor().*c.member).get(), "waarde van " + QString::fromLatin1(c.box));
        EXPECT_EQ(h.app().setupChangedCount(), ++changes);
        txt(c.box).type("");
        EXPECT_EQ((kantoor().*c.member).get(), "");
        EXPECT_EQ(h.app().setupChangedCount(), ++changes);
    }
}

namespace {
struct FormaatLogoTest : PageTest {
    HouseStyleSettings& style() { return h.setup().get<HouseStyleSettings>(); }
    void openDialog()
    {
        dialog.setApplication(h.app());
        dialog.Fill_Control();
        dialog.show();
    }
    TextBox& txt(const char* name) { return dialog.get<TextBox>(name); }
    CommandButton& cmd(const char* name) { return dialog.get<CommandButton>(name); }
    frmFormaatLogo dialog;
};
} // namespace

// Sizes never chosen become 10 by 1.17 in Setup as soon as the dialog opens; "Reset" writes them again.
TEST_F(FormaatLogoTest, DefaultsWrittenAtOnceAndReset)
{
    style().LogoMaxBreedte = 0;
    style().LogoMaxHoogte = 2.5;
    openDialog();
    EXPECT_EQ(dialog.caption(), "Formaat logo op Financieel Plan");
    EXPECT_EQ(style().LogoMaxBreedte.get(), 10.0);
    EXPECT_EQ(style().LogoMaxHoogte.get(), 2.5);
    EXPECT_EQ(txt("txtBreedte").text(), "10");
    EXPECT_EQ(txt("txtHoogte").text(), "2,5");
    EXPECT_EQ(cmd("cmdDefault").caption(), "Reset");
    EXPECT_EQ(cmd("cmdDefault").toolTipText(), "Stelt de standaardwaarden van 1,17cm bij 10 cm in.");
    cmd("cmdDefault").click();
    EXPECT_EQ(style().LogoMaxHoogte.get(), 1.17);
    EXPECT_EQ(txt("txtHoogte").text(), "1,17");
}

// OK writes both sizes only when both are numbers above 0; otherwise a message, nothing written, the dialog open.
TEST_F(FormaatLogoTest, OkConvertsBothBeforeWriting)
{
    style().LogoMaxBreedte = 8;
    style().LogoMaxHoogte = 2;
    openDialog();
    struct Case {
        const char* width;
        const char* height;
    };
    for (const Case c : {Case{"12", "hoog"}, {"breed", "1"}, {"0", "1"}, {"12", "-1"}, {"", "1"}}) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        txt("txtBreedte").type(c.width);
        txt("txtHoogte").type(c.height);
        h.ui().answerMessage(MsgResult::OK);
        cmd("cmdOk").click();
        EXPECT_EQ(style().LogoMaxBreedte.get(), 8.0);
        EXPECT_EQ(style().LogoMaxHoogte.get(), 2.0);
        EXPECT_TRUE(dialog.visible());
        EXPECT_EQ(h.ui().messages().back().caption, "Ongeldige invoer");
    }
    txt("txtBreedte").type("12,5");
    txt("txtHoogte").type("1,5");
    cmd("cmdOk").click();
    EXPECT_EQ(style().LogoMaxBreedte.get(), 12.5);
    EXPECT_EQ(style().LogoMaxHoogte.get(), 1.5);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_TRUE(h.errors().empty());
}
