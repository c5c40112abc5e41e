#include "pages/advice/frmKolommenFinancieelPlan.h"

#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/OverviewSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int ListWidth = 3600;
constexpr int ItemHeight = 195;
constexpr int Width = 2 * ListWidth + 3 * RowLayout::DialogMargin;
constexpr Colour Rood = 0x0000FF;

constexpr std::initializer_list<OverviewColumn> LastenoverzichtKolommen = {
    {"Bruto inkomen", 1},
    {"Som hypotheken", 2},
    {"Waardeopbouw", 16777216},
    {"Huur", 4},
    {"Rente", 4194304},
    {"Hypotheek aflossing", 8},
    {"Uitkering kapitaalverzekeringen", 16},
    {"Verzekeringspremies", 32},
    {"Spaar- en beleggingsdepots", 64},
    {"Opname uit depot", 128},
    {"Krediet last", 256},
    {"Overige uitgaven", 131072},
    {"Bruto last", 1024},
    {"Fiscaal voordeel", 2048},
    {"Netto last", 8192},
};

constexpr std::initializer_list<OverviewColumn> NBIOverzichtKolommen = {
    {"Hypotheek", 16384},
    {"Verzekeringen", 32768},
    {"Spaar- en beleggingsdepots", 65536},
    {"Krediet last", 256},
    {"Overige uitgaven", 131072},
    {"Totale uitgaven", 262144},
    {"Bruto inkomen", 1},
    {"Inkomstenbelasting", 524288},
    {"Netto inkomsten", 1048576},
    {"Netto besteedbaar inkomen", 2097152},
};

int listHeight(std::size_t items) { return int(items) * ItemHeight + 60; }
} // namespace

frmKolommenFinancieelPlan::frmKolommenFinancieelPlan()
    : ColumnDialog(u"frmKolommenFinancieelPlan"_s, u"Instellingen - Kolommen financieel plan"_s),
      lblUitleg(add<Label>(*this, u"lblUitleg"_s)),
      lblWaarschuwing(add<Label>(*this, u"lblWaarschuwing"_s)),
      lstKolommenLastenoverzicht(add<ListBox>(*this, u"lstKolommenLastenoverzicht"_s)),
      lstKolommenNBIOverzicht(add<ListBox>(*this, u"lstKolommenNBIOverzicht"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Kolommen financieel plan"_s);
    auto& lblLasten = add<Label>(*this, u"lblLastenoverzicht"_s);
    lblLasten.setCaption(u"Lastenoverzichten"_s);
    auto& lblNBI = add<Label>(*this, u"lblNBIOverzicht"_s);
    lblNBI.setCaption(u"Overzicht netto besteedbaar inkomen"_s);
    for (Label* label : {&lblUitleg, &lblWaarschuwing})
        label->setWordWrap(true);
    for (ListBox* list : {&lstKolommenLastenoverzicht, &lstKolommenNBIOverzicht}) {
        list->setMultiSelect(ListBox::MultiSelect::Simple);
        list->Click.connect([this] { Check_Kolomselectie(); });
    }
    cmdOk.setCaption(u"&OK"_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);

    const int inner = Width - 2 * RowLayout::DialogMargin;
    lblUitleg.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, inner, 4 * 195);
    lblLasten.setBounds(RowLayout::DialogMargin, lblUitleg.bottom() + RowLayout::DialogMargin, ListWidth, 255);
    lblNBI.setBounds(RowLayout::DialogMargin + ListWidth + RowLayout::DialogMargin, lblLasten.top(), ListWidth, 255);
    // Both lists as high as the longer one, so that every column shows without scrolling.
    const int listsHeight = listHeight(std::max(LastenoverzichtKolommen.size(), NBIOverzichtKolommen.size()));
    lstKolommenLastenoverzicht.setBounds(RowLayout::DialogMargin, lblLasten.bottom(), ListWidth, listsHeight);
    lstKolommenNBIOverzicht.setBounds(lblNBI.left(), lblNBI.bottom(), ListWidth, listsHeight);
    lblWaarschuwing.setBounds(RowLayout::DialogMargin, lstKolommenLastenoverzicht.bottom() + RowLayout::DialogMargin,
                              inner, 2 * 195);
    placeButtonRow({&cmdOk, &cmdAnnuleren}, &cmdOk, &cmdAnnuleren);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmKolommenFinancieelPlan::Fill_Control()
{
    guarded([this] {
        if (!setupOrTell())
            return;
        lblUitleg.setCaption(
            u"In dit scherm kunt u aangeven welke kolommen in de lastenoverzichten en in het overzicht "
            "'netto besteedbaar inkomen'"_s +
            u" moeten worden opgenomen. Het aantal kolommen dat op de pagina past is afhankelijk van de "
            "afdrukstand. Kolommen met"_s +
            u" alleen nulwaarden worden niet in de tabellen opgenomen."_s);
        lblWaarschuwing.setCaption(
            u"Let op! Bij de 'staande' afdrukstand passen maximaal 9 kolommen op de pagina. In 'liggende' "
            "afdrukstand passen "_s +
            u"maximaal 14 kolommen op de pagina."_s);
        Fill_Listboxes();
        Set_Listboxes();
        Check_Kolomselectie();
    });
}

void frmKolommenFinancieelPlan::Fill_Listboxes()
{
    guarded([this] {
        fillColumns(lstKolommenLastenoverzicht, LastenoverzichtKolommen);
        fillColumns(lstKolommenNBIOverzicht, NBIOverzichtKolommen);
    });
}

void frmKolommenFinancieelPlan::Set_Listboxes()
{
    guarded([this] {
        const OverviewSettings& s = setupOrTell()->get<OverviewSettings>();
        selectColumns(lstKolommenLastenoverzicht, s.KolommenLastenoverzicht);
        selectColumns(lstKolommenNBIOverzicht, s.KolommenNBIOverzicht);
    });
}

// Too many columns only warn: the report squeezes them, the user decides.
void frmKolommenFinancieelPlan::Check_Kolomselectie()
{
    guarded([this] {
        Settings* setup = setupOrTell();
        if (!setup)
            return;
        const bool liggend = setup->get<OverviewSettings>().Afdrukstand == 1;
        bool teveel = false;
        for (const ListBox* list : {&lstKolommenLastenoverzicht, &lstKolommenNBIOverzicht}) {
            const int selected = list->selCount();
            teveel = teveel || (liggend ? selected >= TeveelLiggend : selected > MaxStaand);
        }
        lblWaarschuwing.setForeColor(teveel ? Rood : SystemColour::ButtonText);
        lblWaarschuwing.setFontBold(teveel);
    });
}

// Both sets are computed before either is stored: a refused OK, or closing
// the dialog afterwards, leaves the stored columns as they were.
void frmKolommenFinancieelPlan::cmdOk_Click()
{
    guarded([this] {
        Settings* setup = setupOrTell();
        if (!setup)
            return;
        const qint32 lasten = selectedBits(lstKolommenLastenoverzicht);
        const qint32 nbi = selectedBits(lstKolommenNBIOverzicht);
        if (lasten == 0 || nbi == 0) {
            failCheck(u"Selecteer minimaal 1 kolom voor de beide overzichten."_s, u"Geen kolommen geselecteerd"_s,
                      lasten == 0 ? &lstKolommenLastenoverzicht : &lstKolommenNBIOverzicht);
            return;
        }
        OverviewSettings& s = setup->get<OverviewSettings>();
        s.KolommenLastenoverzicht = lasten;
        s.KolommenNBIOverzicht = nbi;
        close(false);
    });
}

} // namespace tarvelo
