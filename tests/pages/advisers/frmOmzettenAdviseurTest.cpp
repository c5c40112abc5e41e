#include "pages/advisers/frmOmzettenAdviseur.h"
#include "framework/forms/CommandButton.h"
#include "pages/advisers/AdviserRegister.h"
#include "pages/advisers/frmWachtwoord.h"
#include "tests/pages/advisers/AdviserOffice.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct frmOmzettenAdviseurTest : AdviserOffice {};
} // namespace

// Inactive advisers and the removed one are left out; the code is read from the item's last 36 characters.
TEST_F(frmOmzettenAdviseurTest, OffersTheOtherActiveAdvisers)
{
    standardOffice();
    db().exec(u"UPDATE Adviseur SET Voorletters = ?, Voornamen = ? WHERE Code = ?"_s,
              {QString(120, QLatin1Char('X')), QString(), codeOf(2)});
    frmOmzettenAdviseur dialog;
    dialog.setAantal(1);
    dialog.setCode(QLatin1Char('{') + codeOf(3) + QLatin1Char('}'));
    dialog.setApplication(h.app());
    EXPECT_EQ(dialog.caption(), "Omzetten adviseur");
    EXPECT_EQ(dialog.lblOmzetten.caption(),
              "Er staan nog 1 advies op de naam van Dhr. P. (Pieter) Jansen. Selecteer de "
              "adviseur die deze adviezen moet overnemen. ");
    ASSERT_EQ(dialog.cboAdviseurs.listCount(), 2);
    EXPECT_TRUE(
        dialog.cboAdviseurs.list(0).startsWith("Mevr. " + QString(120, QLatin1Char('X')) + " Bakker - De Linde   "));
    EXPECT_TRUE(dialog.cboAdviseurs.list(1).startsWith("Dhr. J.W. (Jan Willem) de Vries - De Linde"));
    EXPECT_EQ(dialog.cboAdviseurs.listIndex(), 0);
    EXPECT_TRUE(dialog.cmdOk.enabled());
    dialog.cboAdviseurs.select(0);
    dialog.cmdOk.click();
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_EQ(dialog.NieuweCode(), codeOf(2));

    frmOmzettenAdviseur more;
    more.setAantal(5);
    more.setCode(codeOf(1));
    more.setApplication(h.app());
    EXPECT_TRUE(more.lblOmzetten.caption().startsWith(
        "Er staan nog 5 adviezen op de naam van Dhr. J.W. (Jan Willem) de Vries. "));
    more.cmdAfbreken.click();
    EXPECT_TRUE(more.Geannuleerd());
    EXPECT_EQ(more.NieuweCode(), "");
}

// With no other active adviser the advices cannot go anywhere: OK is disabled, only cancelling remains.
TEST_F(frmOmzettenAdviseurTest, NoOtherActiveAdviserCannotConfirm)
{
    addAdviser({codeOf(1), "J.", "", "", "Vries", "M", "", 1});
    addAdviser({codeOf(2), "K.", "", "", "Mulder", "M", "", 2, {}, {}, {}, "inactief"});
    frmOmzettenAdviseur dialog;
    dialog.setAantal(3);
    dialog.setCode(codeOf(1));
    dialog.setApplication(h.app());
    EXPECT_EQ(dialog.cboAdviseurs.listCount(), 0);
    EXPECT_FALSE(dialog.cmdOk.enabled());
    EXPECT_FALSE(dialog.cmdOk.click());
    EXPECT_EQ(dialog.NieuweCode(), "");
}

// The register document: a list without "gebruikers" or text that is no XML are told apart; names have no double
// spaces.
TEST(AdviserRegister, ReadsTheHostsDocument)
{
    EXPECT_EQ(AdviserRegister::read("<register><andere/></register>").status(),
              AdviserRegister::Status::GeenGebruikers);
    EXPECT_EQ(AdviserRegister::read("<register><gebruikers>").status(), AdviserRegister::Status::Onleesbaar);
    EXPECT_EQ(AdviserRegister::read("").status(), AdviserRegister::Status::Onleesbaar);
    const AdviserRegister reg = AdviserRegister::read(
        "<r><gebruikers><gebruiker><klantcode>{ABC}</klantcode><voorletters>J.</voorletters><naam>Vries</naam>"
        "<tussenvoegsel> de </tussenvoegsel><geslacht>V</geslacht></gebruiker>"
        "<gebruiker><klantcode>DEF</klantcode><naam>Smit</naam></gebruiker></gebruikers></r>");
    ASSERT_EQ(reg.status(), AdviserRegister::Status::Gelezen);
    ASSERT_EQ(reg.advisers().size(), 2u);
    EXPECT_EQ(reg.advisers()[0].code, "ABC");
    EXPECT_EQ(reg.advisers()[0].naam(), "Mevr. J. de Vries");
    EXPECT_EQ(reg.advisers()[1].naam(), "Dhr. Smit");
    EXPECT_TRUE(reg.advisers()[1].actief());
    EXPECT_NE(reg.find("{DEF}"), nullptr);
    EXPECT_EQ(reg.find("XYZ"), nullptr);
}

// Without confirming, one field is shown and any text, also an empty one, is accepted.
TEST_F(frmOmzettenAdviseurTest, PasswordDialogWithoutConfirming)
{
    frmWachtwoord dialog;
    dialog.setApplication(h.app());
    EXPECT_EQ(dialog.caption(), "Voer wachtwoord in...");
    EXPECT_FALSE(dialog.txtWachtwoord1.visible());
    EXPECT_FALSE(dialog.lblWachtwoord1.visible());
    EXPECT_TRUE(dialog.txtWachtwoord0.hasFocus());
    dialog.cmdOK.click();
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_EQ(dialog.Wachtwoord(), "");
    frmWachtwoord confirming;
    confirming.setBevestigen(true);
    EXPECT_TRUE(confirming.txtWachtwoord1.visible());
    EXPECT_GT(confirming.cmdOK.top(), confirming.txtWachtwoord1.top());
}
