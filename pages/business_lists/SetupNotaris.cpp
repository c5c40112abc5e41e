#include "pages/business_lists/SetupNotaris.h"

#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/ui/Ui.h"
#include "pages/business_lists/frmNotaris.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// The size the company overview gives the page when it hosts it.
constexpr int PageWidth = 5325;
constexpr int ListHeight = 4320;
} // namespace

SetupNotaris::SetupNotaris()
    : SettingsPage(u"SetupNotaris"_s),
      lstNotaris(add<ListView>(add<Frame>(form(), u"fraNotarissen"_s, u"Notariskantoren"_s), u"lstNotaris"_s)),
      cmdToevoegenNotaris(
          add<CommandButton>(form().control(u"fraNotarissen"_s), u"cmdToevoegenNotaris"_s, u"Toevoegen"_s)),
      cmdBewerkenNotaris(
          add<CommandButton>(form().control(u"fraNotarissen"_s), u"cmdBewerkenNotaris"_s, u"Bewerken"_s)),
      cmdVerwijderenNotaris(
          add<CommandButton>(form().control(u"fraNotarissen"_s), u"cmdVerwijderenNotaris"_s, u"Verwijderen"_s))
{
    auto& fraNotarissen = form().get<Frame>(u"fraNotarissen"_s);
    cmdToevoegenNotaris.setToolTipText(u"Notariskantoor toevoegen"_s);
    cmdBewerkenNotaris.setToolTipText(u"Notariskantoor bewerken"_s);
    cmdVerwijderenNotaris.setToolTipText(u"Notariskantoor verwijderen"_s);
    lstNotaris.setFullRowSelect(true);
    lstNotaris.setHideSelection(false);
    RowLayout(fraNotarissen, PageWidth - 2 * RowLayout::Margin)
        .recordList(lstNotaris, ListHeight, {&cmdToevoegenNotaris, &cmdBewerkenNotaris, &cmdVerwijderenNotaris})
        .finish();

    lstNotaris.ItemClick.connect([this](ListItem&) { lstNotaris_ItemClick(); });
    lstNotaris.DblClick.connect([this] { lstNotaris_DblClick(); });
    cmdToevoegenNotaris.Click.connect([this] { cmdToevoegenNotaris_Click(); });
    cmdBewerkenNotaris.Click.connect([this] { cmdBewerkenNotaris_Click(); });
    cmdVerwijderenNotaris.Click.connect([this] { cmdVerwijderenNotaris_Click(); });
    stackFrames({&fraNotarissen});
}

void SetupNotaris::Fill() { Fill_Listview(); }

void SetupNotaris::enableButtons(bool on)
{
    cmdBewerkenNotaris.setEnabled(on);
    cmdVerwijderenNotaris.setEnabled(on);
}

// One row per office, keyed "n" + its index; the first row is selected, also
// after an office was added, edited or removed.
void SetupNotaris::Fill_Listview()
{
    guarded([&] {
        enableButtons(false);
        lstNotaris.clear();
        lstNotaris.clearColumns();
        // The column fills the list, less room for a vertical scroll bar.
        lstNotaris.addColumn(u"Notariskantoor"_s, u"Notariskantoor"_s, lstNotaris.width() - RowLayout::ScrollBarRoom);
        const NotarisSettings& notarissen = Setup<NotarisSettings>();
        for (int i = 1; const NotarisRecord* notaris = notarissen.Notaris(i); ++i)
            lstNotaris.addItem(u"n%1"_s.arg(i), notaris->Naam);
        if (lstNotaris.count() == 0)
            return;
        lstNotaris.setSelectedItem(&lstNotaris.item(1));
        lstNotaris.selectedItem()->ensureVisible();
        enableButtons(true);
    });
}

void SetupNotaris::lstNotaris_ItemClick()
{
    guarded([this] { enableButtons(true); });
}

int SetupNotaris::selectedIndex() const
{
    const ListItem* row = lstNotaris.selectedItem();
    return row ? row->key().mid(1).toInt() : 0;
}

bool SetupNotaris::showNotaris(int index)
{
    frmNotaris dialog;
    dialog.setIndex(index);
    dialog.setSetup(Setup());
    dialog.setApplication(app());
    dialog.setBackColor(BackColor());
    ui().showModal(dialog);
    if (dialog.Geannuleerd())
        return false;
    app().SetupChanged();
    return true;
}

void SetupNotaris::cmdToevoegenNotaris_Click()
{
    guarded([this] {
        if (showNotaris(0))
            Fill_Listview();
    });
}

void SetupNotaris::cmdBewerkenNotaris_Click()
{
    guarded([this] {
        const int index = selectedIndex();
        if (index != 0 && showNotaris(index))
            Fill_Listview();
    });
}

void SetupNotaris::lstNotaris_DblClick()
{
    guarded([this] {
        const int index = selectedIndex();
        if (index != 0 && showNotaris(index))
            Fill_Listview();
    });
}

void SetupNotaris::cmdVerwijderenNotaris_Click()
{
    guarded([this] {
        const int index = selectedIndex();
        if (index == 0)
            return;
        const QString name = lstNotaris.selectedItem()->text();
        if (ui().msgBox(u"Wilt u notariskantoor '"_s + name + u"' verwijderen?"_s, MsgButtons::YesNo, MsgIcon::Question,
                        u"Verwijderen notariskantoor"_s) != MsgResult::Yes)
            return;
        Setup<NotarisSettings>().RemoveNotaris(index);
        app().SetupChanged();
        Fill_Listview();
    });
}

} // namespace tarvelo
