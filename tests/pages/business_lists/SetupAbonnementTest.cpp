#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/AbonnementSettings.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/PageTest.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QString Basis = u"{00000000-0000-0000-0000-00000000000B}"_s;
const QString Plus = u"{00000000-0000-0000-0000-00000000000C}"_s;
const QString Oud = u"{00000000-0000-0000-0000-00000000000D}"_s;
const QString MinimaalEen = u"Er moet minimaal één actief abonnement ingevoerd zijn."_s;

struct SetupAbonnementTest : PageTest {
    AbonnementSettings& list() { return h.setup().get<AbonnementSettings>(); }
    void seed(const QString& id, const char* soort, bool actief, double bedrag = 9.95, qint16 duur = 12)
    {
        AbonnementRecord r;
        r.ID = id;
        r.Actief = actief;
        r.Soort = QString::fromUtf8(soort);
        r.Omschrijving = u"Controle van uw hypotheek"_s;
        r.Termijnbedrag = bedrag;
        r.Betaaltermijn = 3;
        r.ControleAantal = 6;
        r.ControleEenheid = 1;
        r.Contractduur = duur;
        list().AddAbonnement(r);
    }
    void advice(const char* id, const QString& abonnement)
    {
        h.app().officeDatabase().exec(u"INSERT INTO Advies (ID, Klant, Status, AbonnementID, Termijnbedrag) "
                                      "VALUES (?, 'Klant', 'In beheer', ?, 1)"_s,
                                      {QString::fromLatin1(id), abonnement});
    }
    QStringList advicesOf(const QString& abonnement)
    {
        QSqlQuery q =
            h.app().officeDatabase().exec(u"SELECT ID FROM Advies WHERE AbonnementID = ? ORDER BY ID"_s, {abonnement});
        QStringList ids;
        while (q.next())
            ids << q.value(0).toString();
        return ids;
    }
    SettingsPage& open() { return h.open("SetupAbonnement"); }
    ListView& lvw() { return h.control<ListView>("lvwAbonnement"); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
    void select(const QString& id) { lvw().setSelectedItem(lvw().findItem(id)); }
};

} // namespace

// Each subscription is one row keyed by its identifier, with its texts.
TEST_F(SetupAbonnementTest, ListsTheSubscriptionsWithTheirTexts)
{
    seed(Basis, "Basis", true, 1234.5);
    seed(Oud, "Oud", false);
    list().Abonnement(2)->Betaaltermijn = 12;
    list().Abonnement(2)->ControleAantal = 2;
    list().Abonnement(2)->ControleEenheid = 12;
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Abonnementen");
    ASSERT_EQ(lvw().columnCount(), 6);
    QStringList headers;
    for (int c = 1; c <= 6; ++c)
        headers << lvw().column(c).text;
    EXPECT_EQ(headers, (QStringList{"Actief", "Soort", "Omschrijving", "Bedrag", "Betaaltermijn", "Controle elke "}));
    ASSERT_EQ(lvw().count(), 2);
    const ListItem& first = lvw().item(1);
    EXPECT_EQ(first.key(), Basis);
    EXPECT_TRUE(first.checked());
    EXPECT_EQ(first.subItem(1), "Basis");
    EXPECT_EQ(first.subItem(3), "1.234,50");
    EXPECT_EQ(first.subItem(4), "Per kwartaal");
    EXPECT_EQ(first.subItem(5), "6 maand(en)");
    EXPECT_FALSE(lvw().item(2).checked());
    EXPECT_EQ(lvw().item(2).subItem(4), "Jaarlijks");
    EXPECT_EQ(lvw().item(2).subItem(5), "2 jaar");
    EXPECT_EQ(button("cmdDelete").toolTipText(), "Verwijderen abonnement");
}

// The office keeps at least one active subscription: unticking the last one,
// deleting the only one, or deleting the only active one is refused.
TEST_F(SetupAbonnementTest, TheLastActiveSubscriptionStays)
{
    seed(Basis, "Basis", true);
    open();
    h.ui().answerMessage(MsgResult::OK);
    lvw().checkItem(1, false);
    EXPECT_TRUE(lvw().item(1).checked());
    EXPECT_TRUE(list().Abonnement(1)->Actief);
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, MinimaalEen);
    EXPECT_EQ(h.ui().messages()[0].caption, "Abonnement verwijderen");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Information);

    h.ui().answerMessage(MsgResult::OK);
    button("cmdDelete").click();
    ASSERT_EQ(h.ui().messages().size(), 2u) << "refused before any question";
    EXPECT_EQ(h.ui().messages()[1].text, MinimaalEen);
    EXPECT_EQ(h.ui().messages()[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(list().Abonnementen.count(), 1);

    h.close();
    seed(Oud, "Oud", false);
    open();
    select(Basis);
    h.ui().answerMessage(MsgResult::OK);
    button("cmdDelete").click();
    EXPECT_EQ(h.ui().messages().back().text, MinimaalEen);
    EXPECT_EQ(list().Abonnementen.count(), 2);
    lvw().checkItem(2, true);
    EXPECT_TRUE(list().AbonnementOpID(Oud)->Actief);
    lvw().checkItem(1, false);
    EXPECT_FALSE(list().AbonnementOpID(Basis)->Actief);
    EXPECT_TRUE(h.errors().empty());
}

// A subscription no advice uses goes after the confirmation alone; "Nee" keeps it.
TEST_F(SetupAbonnementTest, UnusedSubscriptionIsDeletedAfterConfirmation)
{
    seed(Basis, "Basis", true);
    seed(Plus, "Plus", true);
    open();
    select(Plus);
    h.ui().answerMessage(MsgResult::No);
    button("cmdDelete").click();
    EXPECT_EQ(list().Abonnementen.count(), 2);
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdDelete").click();
    EXPECT_EQ(h.ui().messages().back().text, "Weet u zeker dat u het geselecteerde abonnement wilt verwijderen?");
    EXPECT_EQ(h.ui().messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(list().Abonnementen.count(), 1);
    EXPECT_EQ(lvw().count(), 1);
    EXPECT_EQ(list().AbonnementOpID(Plus), nullptr);
}

// A subscription in use is replaced by an active one chosen in the dialog;
// its advices move to it; calling it off changes nothing.
TEST_F(SetupAbonnementTest, UsedSubscriptionIsReplacedByAnActiveOne)
{
    seed(Basis, "Basis", true);
    seed(Plus, "Plus", true, 19.5);
    seed(Oud, "Oud", false);
    advice("A1", Basis);
    advice("A2", Basis);
    advice("A3", Plus);
    open();
    select(Basis);
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().whenModal("frmOmzettenAbonnement", [](Form& f) {
        EXPECT_EQ(f.caption(), "Omzetten abonnement");
        f.get<CommandButton>("cmdAfbreken").click();
    });
    button("cmdDelete").click();
    EXPECT_EQ(list().Abonnementen.count(), 3);
    EXPECT_EQ(advicesOf(Basis), (QStringList{"A1", "A2"}));

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().whenModal("frmOmzettenAbonnement", [](Form& f) {
        EXPECT_EQ(
            f.get<Label>("lblOmzetten").caption(),
            "U staat op het punt om het abonnement Basis - Controle van uw hypotheek te verwijderen. Er zijn nog 2 "
            "adviezen met dit abonnement in de database aanwezig. Selecteer het abonnement dat het te verwijderen "
            "abonnement gaat vervangen. Of breek het verwijderen van dit abonnement af.");
        auto& cbo = f.get<ComboBox>("cboAbonnement");
        EXPECT_EQ(cbo.listCount(), 1) << "only the other active subscription";
        EXPECT_TRUE(cbo.list(0).startsWith(u"Plus - Controle van uw hypotheek   "_s));
        EXPECT_EQ(cbo.listIndex(), 0);
        f.get<CommandButton>("cmdOk").click();
    });
    button("cmdDelete").click();
    EXPECT_EQ(list().AbonnementOpID(Basis), nullptr);
    EXPECT_TRUE(advicesOf(Basis).isEmpty());
    EXPECT_EQ(advicesOf(Plus), (QStringList{"A1", "A2", "A3"}));
    QSqlQuery terms = h.app().officeDatabase().exec(u"SELECT Termijnbedrag FROM Advies WHERE ID = 'A1'"_s);
    ASSERT_TRUE(terms.next());
    EXPECT_EQ(terms.value(0).toDouble(), 19.5);
    EXPECT_TRUE(h.errors().empty());
}

// The contract term shows as years and months; only the terms of an existing
// subscription can change, and a changed amount asks to apply it to the clients.
TEST_F(SetupAbonnementTest, EditingTheTermsAppliesThemOnRequest)
{
    seed(Basis, "Basis", true, 9.95, 30);
    advice("A1", Basis);
    open();
    h.ui().whenModal("frmAbonnementDetail", [](Form& f) {
        EXPECT_EQ(f.caption(), "Abonnement");
        EXPECT_FALSE(f.get<TextBox>("txtSoortAbonnement").enabled());
        EXPECT_FALSE(f.get<TextBox>("txtOmschrijving").enabled());
        EXPECT_EQ(f.get<TextBox>("txtContractduurJaar").text(), "2");
        EXPECT_EQ(f.get<TextBox>("txtContractduurMaand").text(), "6");
        f.get<CommandButton>("cmdOk").click();
    });
    lvw().doubleClick();
    EXPECT_EQ(list().Abonnement(1)->Contractduur, 30) << "nothing changed, nothing asked";

    h.ui().whenModal("frmAbonnementDetail", [](Form& f) {
        f.get<TextBox>("txtTermijnbedrag").type(u"12,50"_s);
        f.get<TextBox>("txtContractduurJaar").type(u"3"_s);
        f.get<CommandButton>("cmdOk").click();
    });
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdBewerkenNotaris").click();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text,
              "Wilt u de wijzigingen van dit abonnement meteen verwerken bij alle bestaande klanten en uitgebrachte "
              "voorstellen?\r\nLet op! Indien u dit niet verwerkt, blijven de oude abonnementsgegevens staan.");
    EXPECT_EQ(h.ui().messages()[0].caption, "Wijzigingen doorvoeren");
    EXPECT_EQ(list().Abonnement(1)->Termijnbedrag, 12.5);
    EXPECT_EQ(list().Abonnement(1)->Contractduur, 42);
    QSqlQuery terms =
        h.app().officeDatabase().exec(u"SELECT Termijnbedrag, Contractduur FROM Advies WHERE ID = 'A1'"_s);
    ASSERT_TRUE(terms.next());
    EXPECT_EQ(terms.value(0).toDouble(), 12.5);
    EXPECT_EQ(terms.value(1).toInt(), 42);
    EXPECT_EQ(lvw().item(1).subItem(3), "12,50");
}

// A new subscription needs its own kind and description (compared exactly);
// it is stored active with a 38-character identifier.
TEST_F(SetupAbonnementTest, NewSubscriptionWithTheSameKindAndDescriptionIsRefused)
{
    seed(Basis, "Basis", true);
    open();
    int shown = 0;
    h.ui().whenModal("frmAbonnementDetail", [&](Form& f) {
        ++shown;
        EXPECT_EQ(f.get<TextBox>("txtSoortAbonnement").text(), "<soort abonnement>");
        EXPECT_EQ(f.get<TextBox>("txtOmschrijving").text(), "<omschrijving>");
        f.get<TextBox>("txtSoortAbonnement").type(u"Basis"_s);
        f.get<TextBox>("txtOmschrijving").type(u"Controle van uw hypotheek"_s);
        f.get<TextBox>("txtContractduurMaand").type(u"30"_s);
        f.get<CommandButton>("cmdOk").click();
        EXPECT_TRUE(f.visible()) << "duplicate refused";
        f.get<TextBox>("txtSoortAbonnement").type(u"basis"_s);
        f.get<CommandButton>("cmdOk").click();
        EXPECT_FALSE(f.visible());
    });
    h.ui().answerMessage(MsgResult::OK);
    button("cmdAdd").click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(h.ui().messages().back().text, "Er bestaat al een abonnement met dezelfde soort en omschrijving.");
    ASSERT_EQ(list().Abonnementen.count(), 2);
    const AbonnementRecord& added = *list().Abonnement(2);
    EXPECT_EQ(added.Soort, "basis");
    EXPECT_TRUE(added.Actief);
    EXPECT_EQ(added.Contractduur, 30);
    EXPECT_EQ(added.ID.size(), 38);
    EXPECT_TRUE(added.ID.startsWith(QLatin1Char('{')));
    EXPECT_EQ(lvw().count(), 2);
}
