#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "framework/settings/SearchScreenSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct CompanyPagesTest : PageTest {
    ComboBox& cbo(const char* name) { return h.control<ComboBox>(name); }
    CompanyChoiceSettings& choice() { return h.setup().get<CompanyChoiceSettings>(); }
    static QStringList items(const ComboBox& combo)
    {
        QStringList out;
        for (int i = 0; i < combo.listCount(); ++i)
            out << u"%1=%2"_s.arg(combo.list(i)).arg(combo.itemData(i));
        return out;
    }
};
} // namespace

// The valuation list leaves out "ML" and keeps each office's position as its item data.
TEST_F(CompanyPagesTest, ValuationOfficesAndTheirCodes)
{
    h.app().setTaxatiebureaus({{"A1", "Alfa Taxaties"}, {"ML", "Niet kiesbaar"}, {"B2", "Beta Taxaties"}});
    choice().TaxatieMaatschappij = u"B2"_s;
    auto& page = h.open("SetupTaxatie");
    EXPECT_EQ(page.Titel(), "Taxatiebureau");
    EXPECT_EQ(items(cbo("cboTaxatieMaatschappij")),
              (QStringList{"<Maak uw keuze>=0", "Alfa Taxaties=1", "Beta Taxaties=3"}));
    EXPECT_EQ(cbo("cboTaxatieMaatschappij").text(), "Beta Taxaties");
    cbo("cboTaxatieMaatschappij").choose("Alfa Taxaties");
    EXPECT_EQ(choice().TaxatieMaatschappij.get(), "A1");
    cbo("cboTaxatieMaatschappij").choose("<Maak uw keuze>");
    EXPECT_EQ(choice().TaxatieMaatschappij.get(), "");
    EXPECT_TRUE(h.errors().empty());
}

// A stored code no listed company has shows "<Maak uw keuze>" and stays stored until the user picks.
TEST_F(CompanyPagesTest, UnknownCodeKeptUntilChosen)
{
    struct Case {
        const char* page;
        const char* combo;
        Setting<QString> CompanyChoiceSettings::*member;
    };
    for (const Case c : {Case{"SetupTaxatie", "cboTaxatieMaatschappij", &CompanyChoiceSettings::TaxatieMaatschappij},
                         {"SetupBankgarantie", "cboBankgarantieMij", &CompanyChoiceSettings::BankgarantieInstelling}}) {
        SCOPED_TRACE(c.page);
        h.app().setTaxatiebureaus({{"ML", "Midden-Land"}, {"Q", "Q Taxaties"}});
        h.app().setBankgarantieinstellingen({{"ML", "Midden-Land Borg"}, {"Q", "Q Borg"}});
        choice().*c.member = u"ZZ"_s;
        h.open(c.page);
        EXPECT_EQ(cbo(c.combo).text(), "<Maak uw keuze>");
        EXPECT_EQ((choice().*c.member).get(), "ZZ");
    }
    // the bank-guarantee list excludes nothing
    EXPECT_EQ(items(cbo("cboBankgarantieMij")), (QStringList{"<Maak uw keuze>=0", "Midden-Land Borg=1", "Q Borg=2"}));
    cbo("cboBankgarantieMij").choose("Midden-Land Borg");
    EXPECT_EQ(choice().BankgarantieInstelling.get(), "ML");
}

namespace {
struct SetupZoekschermTest : PageTest {
    SearchScreenSettings& zoek() { return h.setup().get<SearchScreenSettings>(); }
    OptionButton& mutatie(int i) { return h.control<OptionButton>("optMutatie", i); }
    OptionButton& tonen(int i) { return h.control<OptionButton>("optTonenAdviezen", i); }
};
} // namespace

// Each period code selects its option; an unknown code shows "Alle data", unchanged until "Alle data" is clicked.
TEST_F(SetupZoekschermTest, PeriodCodes)
{
    struct Case {
        const char* code;
        int option;
    };
    for (const Case c : {Case{"W1", 0}, {"W2", 1}, {"M1", 2}, {"*", 3}, {"M6", 4}, {"Q3", 3}, {"", 3}}) {
        SCOPED_TRACE(c.code);
        zoek().ZoekMutatie = QString::fromLatin1(c.code);
        h.open("SetupZoekscherm");
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(mutatie(i).value(), i == c.option) << i;
        EXPECT_EQ(zoek().ZoekMutatie.get(), c.code);
    }
    EXPECT_EQ(mutatie(3).caption(), "Alle data");
    mutatie(4).click();
    EXPECT_EQ(zoek().ZoekMutatie.get(), "M6");
    mutatie(3).click();
    EXPECT_EQ(zoek().ZoekMutatie.get(), "*");
    EXPECT_EQ(h.page().Titel(), "Openen adviezen");
}

// An unknown stored period shows "Alle data"; the user's click on it, although it is already chosen, stores "*".
TEST_F(SetupZoekschermTest, ClickingTheShownAllDataStoresIt)
{
    zoek().ZoekMutatie = u"Q3"_s;
    h.open("SetupZoekscherm");
    ASSERT_TRUE(mutatie(3).value());
    EXPECT_TRUE(mutatie(3).click());
    EXPECT_EQ(zoek().ZoekMutatie.get(), "*");
    EXPECT_TRUE(h.errors().empty());
}

// The branch option shows only for offices with branches; "*" and a branch choice without branches become "A".
TEST_F(SetupZoekschermTest, AdvicesShownAndBranches)
{
    struct Case {
        bool branches;
        const char* stored;
        int option;
        const char* after;
    };
    for (const Case c : {Case{true, "MV", 1, "MV"},
                         {false, "MV", 0, "A"},
                         {true, "*", 0, "A"},
                         {false, "E", 2, "E"},
                         {true, "A", 0, "A"}}) {
        SCOPED_TRACE(std::string(c.stored) + (c.branches ? " met vestigingen" : ""));
        h.app().setWerktMetVestigingen(c.branches);
        zoek().ZoekTonenAdviezen = QString::fromLatin1(c.stored);
        h.open("SetupZoekscherm");
        EXPECT_EQ(tonen(1).visible(), c.branches);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(tonen(i).value(), i == c.option) << i;
        EXPECT_EQ(zoek().ZoekTonenAdviezen.get(), c.after);
    }
    tonen(0).click();
    EXPECT_EQ(zoek().ZoekTonenAdviezen.get(), "A");
    tonen(2).click();
    EXPECT_EQ(zoek().ZoekTonenAdviezen.get(), "E");
    h.control<CheckBox>("chkDirectZoeken").click();
    EXPECT_TRUE(zoek().ZoekDirectZoeken);
}
