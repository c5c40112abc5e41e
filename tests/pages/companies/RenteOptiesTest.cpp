#include "pages/companies/RenteOpties.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/host/Application.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeDatabase.h"
#include "pages/companies/frmRenteopties.h"
#include "tests/support/PageTest.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// The mortgage options of one loan part of the open advice.
struct RenteOptiesLoanPartTest : PageTest {
    OfficeDatabase& db() { return h.app().officeDatabase(); }

    void SetUp() override
    {
        db().exec(u"INSERT INTO Tbl_Mij_Info (Cd_Mij, Om_NaamKort, Om_Naam, In_Actief, In_Gebruik) "
                  "VALUES ('G1', 'Aurora', 'Aurora Hypotheken', -1, -1)"_s);
        const char* products[][3] = {{"P1", "Annuïteitenhypotheek", "-1"},
                                     {"P2", "Lineaire hypotheek", "-1"},
                                     {"P3", "Spaarhypotheek", "0"},
                                     {"P4", "Aflossingsvrije hypotheek", "-1"}};
        for (const auto& p : products)
            db().exec(u"INSERT INTO Tbl_Mij_Product (Cd_Mij, Cd_SoortMij, Cd_Product, Om_Product, "
                      "In_Actief) VALUES ('G1', 1, ?, ?, ?)"_s,
                      {QString::fromUtf8(p[0]), QString::fromUtf8(p[1]), QString::fromUtf8(p[2]).toInt()});
        // The office does not offer P4 in its advice.
        db().exec(u"INSERT INTO Tbl_Mij_Renteopties (Cd_Mij, Cd_Product, In_Aanbieden) "
                  "VALUES ('G1', 'P4', 0)"_s);
        db().catalogue().reload();
        db().exec(u"INSERT INTO Advies (ID, Klant, Status) VALUES ('A00007', 'Jansen', 'In beheer')"_s);
        loanPart(1, "Leningdeel 1", "P2");
        loanPart(2, "Leningdeel 2", QString());
    }
    void loanPart(int index, const char* omschrijving, const QString& product)
    {
        db().exec(u"INSERT INTO Leningdeel (AdviesID, Volgnummer, Omschrijving, Cd_Mij, Cd_Product) "
                  "VALUES ('A00007', ?, ?, 'G1', ?)"_s,
                  {index, QString::fromUtf8(omschrijving), product.isEmpty() ? QVariant() : QVariant(product)});
    }
    QString stored(int index)
    {
        QSqlQuery q = db().exec(u"SELECT Cd_Product FROM Leningdeel WHERE AdviesID = 'A00007' AND "
                                "Volgnummer = ?"_s,
                                {index});
        return q.next() ? q.value(0).toString() : u"<geen leningdeel>"_s;
    }
    QStringList rows(const RenteOpties& control)
    {
        QStringList all;
        for (int i = 1; i <= control.lvwOpties.count(); ++i)
            all << control.lvwOpties.item(i).key() + (control.lvwOpties.item(i).checked() ? "*" : "");
        return all;
    }
};

// Opened for a loan part, the dialog offers the arrangements the office offers at the loan part's lender, one of
// which the loan part takes; "Opslaan" is hidden and only OK stores the choice with the loan part.
TEST_F(RenteOptiesLoanPartTest, ChoosesTheLoanPartsArrangementAndSavesWithOK)
{
    h.app().openAdvies(u"A00007"_s);
    frmRenteopties dialog;
    h.ui().whenModal("frmRenteopties", [&](Form& f) {
        auto& control = f.get<RenteOpties>("RenteOpties");
        EXPECT_EQ(f.caption(), "Hypotheekopties Aurora Hypotheken - Leningdeel 1");
        EXPECT_EQ(control.className(), "TarveloCommonCtrl.RenteOpties");
        EXPECT_EQ(rows(control), (QStringList{"P1", "P2*"})) << "inactive and not offered arrangements are left out";
        EXPECT_FALSE(f.get<CommandButton>("cmdOpslaan").visible());
        control.lvwOpties.checkItem(1, true);
        EXPECT_EQ(rows(control), (QStringList{"P1*", "P2"})) << "one arrangement at most";
        EXPECT_EQ(stored(1), "P2") << "nothing is stored before OK";
        f.get<CommandButton>("cmdOK").click();
    });
    dialog.SetApplication(h.app(), 1);
    h.ui().showModal(dialog);
    EXPECT_EQ(stored(1), "P1");
    EXPECT_EQ(stored(2), "");
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_TRUE(h.errors().empty());

    // Unchecking the only choice leaves the loan part without an arrangement.
    frmRenteopties again;
    h.ui().whenModal("frmRenteopties", [&](Form& f) {
        auto& control = f.get<RenteOpties>("RenteOpties");
        control.lvwOpties.checkItem(1, false);
        f.get<CommandButton>("cmdOK").click();
    });
    again.SetApplication(h.app(), 1);
    h.ui().showModal(again);
    EXPECT_EQ(stored(1), "");
}

// A loan part whose arrangement the office no longer offers keeps it: it is shown checked and saving leaves it.
// A loan part removed by another workstation meanwhile is told, not reported as saved.
TEST_F(RenteOptiesLoanPartTest, KeepsAnArrangementNoLongerOfferedAndTellsAVanishedLoanPart)
{
    db().exec(u"UPDATE Leningdeel SET Cd_Product = 'P4' WHERE Volgnummer = 2"_s);
    h.app().openAdvies(u"A00007"_s);
    frmRenteopties dialog;
    dialog.SetApplication(h.app(), 2);
    ASSERT_NE(dialog.control(), nullptr);
    EXPECT_EQ(rows(*dialog.control()), (QStringList{"P1", "P2", "P4*"}));
    dialog.control()->Save_Renteopties();
    EXPECT_EQ(stored(2), "P4");

    db().exec(u"DELETE FROM Leningdeel WHERE Volgnummer = 2"_s);
    dialog.control()->lvwOpties.checkItem(1, true);
    h.ui().whenModal("frmRenteopties", [&](Form& f) {
        f.get<CommandButton>("cmdOK").click();
        EXPECT_TRUE(f.visible()) << "a failed save keeps the dialog open";
        f.hide();
    });
    h.ui().showModal(dialog);
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_TRUE(h.errors().front().ErrorDescription.contains("Leningdeel 2 staat niet meer in het advies"))
        << str(h.errors().front().ErrorDescription);
    EXPECT_EQ(stored(2), "<geen leningdeel>");
}

// Without an open advice, or with an index past the last loan part, the dialog edits the lender's defaults with
// "Opslaan"; an advice the office does not hold cannot be opened.
TEST_F(RenteOptiesLoanPartTest, WithoutSuchALoanPartTheLendersDefaultsAreEdited)
{
    frmRenteopties noAdvice;
    noAdvice.setCd_Mij(u"G1"_s);
    noAdvice.SetApplication(h.app(), 1);
    EXPECT_TRUE(noAdvice.cmdOpslaan.visible());
    EXPECT_EQ(noAdvice.caption(), "Hypotheekopties Aurora Hypotheken");
    EXPECT_EQ(rows(*noAdvice.control()), (QStringList{"P1*", "P2*", "P4"}));

    h.app().openAdvies(u"A00007"_s);
    frmRenteopties pastTheLast;
    pastTheLast.setCd_Mij(u"G1"_s);
    pastTheLast.SetApplication(h.app(), 3);
    EXPECT_TRUE(pastTheLast.cmdOpslaan.visible());
    EXPECT_EQ(pastTheLast.caption(), "Hypotheekopties Aurora Hypotheken");

    EXPECT_THROW(h.app().openAdvies(u"A99999"_s), RuntimeError);
    EXPECT_TRUE(h.errors().empty());
}

// Storing the defaults touches only the arrangements shown: the stored choice of one the lender made inactive stays.
TEST_F(RenteOptiesLoanPartTest, DefaultsKeepTheChoiceOfAnInactiveArrangement)
{
    db().exec(u"INSERT INTO Tbl_Mij_Renteopties (Cd_Mij, Cd_Product, In_Aanbieden) "
              "VALUES ('G1', 'P3', 0)"_s);
    frmRenteopties dialog;
    dialog.setCd_Mij(u"G1"_s);
    dialog.SetApplication(h.app());
    dialog.control()->lvwOpties.checkItem(1, false);
    EXPECT_TRUE(dialog.cmdOpslaan.enabled());
    dialog.cmdOpslaan.click();
    QSqlQuery q = db().exec(u"SELECT Cd_Product, In_Aanbieden FROM Tbl_Mij_Renteopties ORDER BY 1"_s);
    QStringList saved;
    while (q.next())
        saved << q.value(0).toString() + '=' + q.value(1).toString();
    EXPECT_EQ(saved, (QStringList{"P1=0", "P2=-1", "P3=0", "P4=0"}));
}

// A host that keeps the dialog and opens it again must read the last closing: OK, then the close box, then OK.
TEST_F(RenteOptiesLoanPartTest, AReusedDialogReportsHowItWasLastClosed)
{
    frmRenteopties dialog;
    dialog.setCd_Mij(u"G1"_s);
    const auto open = [&](bool withOK) {
        h.ui().whenModal("frmRenteopties", [withOK](Form& f) {
            if (withOK)
                f.get<CommandButton>("cmdOK").click();
            else
                f.hide(); // the window's close box
        });
        dialog.SetApplication(h.app());
        h.ui().showModal(dialog);
    };
    open(true);
    EXPECT_FALSE(dialog.Geannuleerd());
    open(false);
    EXPECT_TRUE(dialog.Geannuleerd());
    open(true);
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_TRUE(h.errors().empty());
}

} // namespace
