#include "pages/companies/SetupInkoopCombis.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/ui/Ui.h"
#include "pages/companies/frmInkoopcombinatie.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// The size the company overview gives the page when it hosts it.
constexpr int PageWidth = 5325;
constexpr int ListHeight = 4320;
constexpr int NumberColumnWidth = 1215;
const QString RemoveCaption = u"Verwijderen serviceprovider"_s;

// The index of the entry a row shows: the digits after its type code.
int indexOf(const ListItem& row) { return row.key().mid(1).toInt(); }
} // namespace

SetupInkoopCombis::SetupInkoopCombis()
    : SettingsPage(u"SetupInkoopCombis"_s),
      lstInkoopcombinatie(add<ListView>(add<Frame>(form(), u"fraInkoopCombis"_s, u"Beschikbare serviceproviders"_s),
                                        u"lstInkoopcombinatie"_s)),
      cmdSelectAll(add<CommandButton>(form().control(u"fraInkoopCombis"_s), u"cmdSelectAll"_s, u"Alles selecteren"_s)),
      cmdToevoegenInkoopCombinatie(
          add<CommandButton>(form().control(u"fraInkoopCombis"_s), u"cmdToevoegenInkoopCombinatie"_s, u"Toevoegen"_s)),
      cmdVerwijderenInkoopcombinatie(add<CommandButton>(form().control(u"fraInkoopCombis"_s),
                                                        u"cmdVerwijderenInkoopcombinatie"_s, u"Verwijderen"_s))
{
    auto& fra = form().get<Frame>(u"fraInkoopCombis"_s);
    cmdSelectAll.setToolTipText(u"Alle inkoopcombinaties selecteren"_s);
    cmdToevoegenInkoopCombinatie.setToolTipText(u"Serviceprovider toevoegen"_s);
    cmdVerwijderenInkoopcombinatie.setToolTipText(u"Zelf toegevoegde serviceprovider verwijderen"_s);
    lstInkoopcombinatie.setCheckboxes(true);
    lstInkoopcombinatie.setFullRowSelect(true);
    lstInkoopcombinatie.setHideSelection(false);
    RowLayout(fra, PageWidth - 2 * RowLayout::Margin)
        .recordList(lstInkoopcombinatie, ListHeight,
                    {&cmdSelectAll, &cmdToevoegenInkoopCombinatie, &cmdVerwijderenInkoopcombinatie})
        .finish();

    lstInkoopcombinatie.ItemCheck.connect([this](ListItem& row) { lstInkoopcombinatie_ItemCheck(row); });
    cmdSelectAll.Click.connect([this] { cmdSelectAll_Click(); });
    cmdToevoegenInkoopCombinatie.Click.connect([this] { cmdToevoegenInkoopCombinatie_Click(); });
    cmdVerwijderenInkoopcombinatie.Click.connect([this] { cmdVerwijderenInkoopcombinatie_Click(); });
    stackFrames({&fra});
}

void SetupInkoopCombis::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    lstInkoopcombinatie.setBackColor(colour);
}

void SetupInkoopCombis::Fill() { Fill_Listview(); }

// One row per entry, keyed type code + index, sorted by name; the office's
// own providers are shown bold, the standard ones plain.
void SetupInkoopCombis::Fill_Listview(const QString& selectKey)
{
    guarded([&] {
        ListView& list = lstInkoopcombinatie;
        list.setSorted(false);
        list.clear();
        list.clearColumns();
        // The columns share the list's width, less room for a vertical scroll bar.
        list.addColumn(u"Naam"_s, u"Naam"_s, list.width() - NumberColumnWidth - RowLayout::ScrollBarRoom);
        list.addColumn(u"HDN nummer"_s, u"HDN nummer"_s, NumberColumnWidth);
        const InkoopcombinatieSettings& entries = Setup<InkoopcombinatieSettings>();
        for (int i = 1; const InkoopcombinatieRecord* entry = entries.Inkoopcombinatie(i); ++i) {
            ListItem& row = list.addItem(entry->TypeCode + QString::number(i), entry->Naam);
            row.setSubItem(1, entry->HDNNummer);
            row.setChecked(entry->Geselecteerd);
            const bool own = entry->TypeCode != QLatin1String("T");
            row.setBold(own);
            row.listSubItem(1).bold = own;
        }
        list.setSortKey(0);
        list.setSortOrder(0);
        list.setSorted(true);
        if (ListItem* chosen = list.findItem(selectKey)) {
            list.setSelectedItem(chosen);
            chosen->ensureVisible();
        }
        list.rowsChanged();
    });
}

void SetupInkoopCombis::lstInkoopcombinatie_ItemCheck(ListItem& row)
{
    guarded([&] {
        if (IsLoading)
            return;
        InkoopcombinatieRecord* entry = Setup<InkoopcombinatieSettings>().Inkoopcombinatie(indexOf(row));
        if (!entry)
            throw RuntimeError::subscriptOutOfRange();
        entry->Geselecteerd = row.checked();
        app().SetupChanged();
    });
}

void SetupInkoopCombis::cmdSelectAll_Click()
{
    guarded([this] {
        InkoopcombinatieSettings& entries = Setup<InkoopcombinatieSettings>();
        for (int i = 1; InkoopcombinatieRecord* entry = entries.Inkoopcombinatie(i); ++i)
            entry->Geselecteerd = true;
        for (int r = 1; r <= lstInkoopcombinatie.count(); ++r)
            lstInkoopcombinatie.item(r).setChecked(true);
        app().SetupChanged();
    });
}

void SetupInkoopCombis::cmdToevoegenInkoopCombinatie_Click()
{
    guarded([this] {
        frmInkoopcombinatie dialog;
        dialog.setSetup(Setup());
        dialog.setApplication(app());
        dialog.setBackColor(BackColor());
        ui().showModal(dialog);
        if (dialog.Geannuleerd())
            return;
        app().SetupChanged();
        const int added = Setup<InkoopcombinatieSettings>().AantalInkoopcombinaties();
        Fill_Listview(u"A%1"_s.arg(added));
    });
}

void SetupInkoopCombis::cmdVerwijderenInkoopcombinatie_Click()
{
    guarded([this] {
        const ListItem* row = lstInkoopcombinatie.selectedItem();
        if (!row)
            return;
        if (row->key().startsWith(QLatin1Char('T'))) {
            ui().msgBox(u"U kunt alleen serviceproviders verwijderen die u zelf heeft toegevoegd."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, RemoveCaption);
            return;
        }
        if (ui().msgBox(u"Wilt u '"_s + row->text() + u"' verwijderen?"_s, MsgButtons::YesNo, MsgIcon::Question,
                        RemoveCaption) != MsgResult::Yes)
            return;
        Setup<InkoopcombinatieSettings>().RemoveInkoopcombinatie(indexOf(*row));
        app().SetupChanged();
        Fill_Listview();
    });
}

} // namespace tarvelo
