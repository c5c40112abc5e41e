#include "pages/advice/frmToetsingKolommen.h"

#include "framework/forms/Label.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/OverviewSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 4800;

constexpr std::initializer_list<OverviewColumn> ToetsingKolommen = {
    {"NHG Toetsing", 2},           {"GHF Toetsing", 8},      {"Maatwerk", 16},
    {"o.b.v. inkomen", 32},        {"o.b.v. onderpand", 64}, {"o.b.v. verpand vermogen", 128},
    {"o.b.v. vrij vermogen", 256},
};
} // namespace

frmToetsingKolommen::frmToetsingKolommen()
    : ColumnDialog(u"frmToetsingKolommen"_s, u"Instellingen - Kolommen toetsing"_s),
      lstKolommen(add<ListBox>(*this, u"lstKolommen"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Kolommen op het toetsing overzicht verwijderen"_s);
    auto& lblUitleg = add<Label>(*this, u"lblUitleg"_s);
    lblUitleg.setCaption(u"Selecteer hier de kolommen die, niet getoond hoeven te worden op het toetsing overzicht."_s);
    lblUitleg.setWordWrap(true);
    lstKolommen.setMultiSelect(ListBox::MultiSelect::Simple);
    cmdOk.setCaption(u"&OK"_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);

    const int inner = Width - 2 * RowLayout::DialogMargin;
    lblUitleg.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, inner, 2 * 195);
    lstKolommen.setBounds(RowLayout::DialogMargin, lblUitleg.bottom() + RowLayout::DialogMargin, inner,
                          int(ToetsingKolommen.size()) * 195 + 60);
    placeButtonRow({&cmdOk, &cmdAnnuleren}, &cmdOk, &cmdAnnuleren);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmToetsingKolommen::Fill_Control()
{
    guarded([this] {
        Settings* setup = setupOrTell();
        if (!setup)
            return;
        fillColumns(lstKolommen, ToetsingKolommen);
        selectColumns(lstKolommen, setup->get<OverviewSettings>().ToetsingKolommenVerbergen);
    });
}

void frmToetsingKolommen::cmdOk_Click()
{
    guarded([this] {
        Settings* setup = setupOrTell();
        if (!setup)
            return;
        setup->get<OverviewSettings>().ToetsingKolommenVerbergen = selectedBits(lstKolommen);
        close(false);
    });
}

} // namespace tarvelo
