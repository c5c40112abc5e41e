#include "pages/business_lists/SetupAbonnement.h"

#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AbonnementSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/NumberText.h"
#include "pages/business_lists/frmAbonnementDetail.h"
#include "pages/business_lists/frmOmzettenAbonnement.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int PageWidth = 9000;
constexpr int ListHeight = 3615;
const QString VerwijderenCaption = u"Abonnement verwijderen"_s;
} // namespace

SetupAbonnement::SetupAbonnement()
    : SettingsPage(u"SetupAbonnement"_s),
      lvwAbonnement(add<ListView>(add<Frame>(form(), u"fraAbonnementen"_s, u"Abonnementen"_s), u"lvwAbonnement"_s)),
      cmdAdd(add<CommandButton>(form().control(u"fraAbonnementen"_s), u"cmdAdd"_s, u"Toevoegen"_s)),
      cmdBewerkenNotaris(
          add<CommandButton>(form().control(u"fraAbonnementen"_s), u"cmdBewerkenNotaris"_s, u"Bewerken"_s)),
      cmdDelete(add<CommandButton>(form().control(u"fraAbonnementen"_s), u"cmdDelete"_s, u"Verwijderen"_s))
{
    setErrorMessage(ReportTexts::MessageWithoutStop);
    auto& fraAbonnementen = form().get<Frame>(u"fraAbonnementen"_s);
    cmdAdd.setToolTipText(u"Toevoegen abonnement"_s);
    cmdBewerkenNotaris.setToolTipText(u"Bewerken abonnement"_s);
    cmdDelete.setToolTipText(u"Verwijderen abonnement"_s);
    lvwAbonnement.setCheckboxes(true);
    lvwAbonnement.setFullRowSelect(true);
    lvwAbonnement.setHideSelection(false);
    RowLayout(fraAbonnementen, PageWidth - 2 * RowLayout::Margin)
        .recordList(lvwAbonnement, ListHeight, {&cmdAdd, &cmdBewerkenNotaris, &cmdDelete})
        .finish();

    lvwAbonnement.ItemCheck.connect([this](ListItem& item) { lvwAbonnement_ItemCheck(item); });
    lvwAbonnement.DblClick.connect([this] { lvwAbonnement_DblClick(); });
    cmdAdd.Click.connect([this] { cmdAdd_Click(); });
    cmdBewerkenNotaris.Click.connect([this] { cmdBewerkenNotaris_Click(); });
    cmdDelete.Click.connect([this] { cmdDelete_Click(); });
    stackFrames({&fraAbonnementen});
}

void SetupAbonnement::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    lvwAbonnement.setBackColor(colour);
}

QString SetupAbonnement::betaaltermijnText(int months)
{
    switch (months) {
    case 1: return u"Maandelijks"_s;
    case 3: return u"Per kwartaal"_s;
    case 6: return u"Per half jaar"_s;
    case 12: return u"Jaarlijks"_s;
    default: return QString();
    }
}

QString SetupAbonnement::controleText(int count, int unit)
{
    if (unit == 12)
        return QString::number(count) + u" jaar"_s;
    if (unit == 1)
        return QString::number(count) + u" maand(en)"_s;
    return QString::number(count);
}

AbonnementSettings& SetupAbonnement::abonnementen() const { return Setup<AbonnementSettings>(); }

Database& SetupAbonnement::database() const
{
    if (!database_)
        throw RuntimeError::objectRequired();
    return *database_;
}

void SetupAbonnement::Fill()
{
    database_ = GetDatabase(app());
    Fill_Screen();
}

void SetupAbonnement::Fill_Screen()
{
    guarded([this] {
        const QString selected = lvwAbonnement.selectedItem() ? lvwAbonnement.selectedItem()->key() : QString();
        lvwAbonnement.clear();
        lvwAbonnement.clearColumns();
        // The wide columns take a fifth of the list each, less room for the scroll bar.
        const int wide = lvwAbonnement.width() / 5 - 270;
        constexpr int actief = 600, bedrag = 900;
        const int omschrijving = lvwAbonnement.width() - actief - bedrag - 3 * wide - 360;
        lvwAbonnement.addColumn(u"Actief"_s, u"Actief"_s, actief);
        lvwAbonnement.addColumn(u"Soort"_s, u"Soort"_s, wide);
        lvwAbonnement.addColumn(u"Omschrijving"_s, u"Omschrijving"_s, omschrijving);
        lvwAbonnement.addColumn(u"Bedrag"_s, u"Bedrag"_s, bedrag);
        lvwAbonnement.addColumn(u"Betaaltermijn"_s, u"Betaaltermijn"_s, wide);
        lvwAbonnement.addColumn(u"Controle"_s, u"Controle elke "_s, wide);
        for (int i = 1; const AbonnementRecord* r = abonnementen().Abonnement(i); ++i) {
            ListItem& row = lvwAbonnement.addItem(r->ID, QString());
            row.setChecked(r->Actief);
            row.setSubItem(1, r->Soort);
            row.setSubItem(2, r->Omschrijving);
            row.setSubItem(3, amountText(r->Termijnbedrag));
            row.setSubItem(4, betaaltermijnText(r->Betaaltermijn));
            row.setSubItem(5, controleText(r->ControleAantal, r->ControleEenheid));
        }
        ListItem* keep = lvwAbonnement.findItem(selected);
        if (!keep && lvwAbonnement.count() > 0)
            keep = &lvwAbonnement.item(1);
        if (keep)
            lvwAbonnement.setSelectedItem(keep);
        cmdBewerkenNotaris.setEnabled(keep != nullptr);
        cmdDelete.setEnabled(keep != nullptr);
    });
}

void SetupAbonnement::minimaalEenActief(MsgIcon icon)
{
    ui().msgBox(u"Er moet minimaal één actief abonnement ingevoerd zijn."_s, MsgButtons::OK, icon, VerwijderenCaption);
}

void SetupAbonnement::lvwAbonnement_ItemCheck(ListItem& item)
{
    guarded([&] {
        AbonnementRecord* record = abonnementen().AbonnementOpID(item.key());
        if (!record)
            throw RuntimeError::subscriptOutOfRange();
        if (!item.checked() && record->Actief && abonnementen().AantalActief() <= 1) {
            minimaalEenActief(MsgIcon::Information);
            item.setChecked(true);
            return;
        }
        record->Actief = item.checked();
        app().SetupChanged();
    });
}

void SetupAbonnement::cmdAdd_Click()
{
    guarded([this] {
        frmAbonnementDetail dialog;
        dialog.setSetup(Setup());
        dialog.setID(QString());
        dialog.setApplication(app());
        dialog.setBackColor(BackColor());
        dialog.Fill_Control();
        ui().showModal(dialog);
        if (!dialog.Geannuleerd())
            app().SetupChanged();
        Fill_Screen();
    });
}

void SetupAbonnement::cmdBewerkenNotaris_Click()
{
    guarded([this] { Bewerken(); });
}

void SetupAbonnement::lvwAbonnement_DblClick()
{
    guarded([this] { Bewerken(); });
}

void SetupAbonnement::Bewerken()
{
    const ListItem* row = lvwAbonnement.selectedItem();
    if (!row)
        return;
    frmAbonnementDetail dialog;
    dialog.setSetup(Setup());
    dialog.setID(row->key());
    dialog.setApplication(app());
    dialog.setBackColor(BackColor());
    dialog.Fill_Control();
    ui().showModal(dialog);
    if (!dialog.Geannuleerd())
        app().SetupChanged();
    if (dialog.Gewijzigd() &&
        ui().msgBox(u"Wilt u de wijzigingen van dit abonnement meteen verwerken bij alle bestaande klanten "
                    "en uitgebrachte voorstellen?\r\nLet op! Indien u dit niet verwerkt, blijven de oude "
                    "abonnementsgegevens staan."_s,
                    MsgButtons::YesNo, MsgIcon::Exclamation, u"Wijzigingen doorvoeren"_s) == MsgResult::Yes) {
        if (const AbonnementRecord* record = abonnementen().AbonnementOpID(dialog.ID()))
            database().AbonnementDoorvoeren(*record);
    }
    Fill_Screen();
}

// The office keeps at least one subscription, and at least one active one:
// the last subscription, and the only active one, stay.
void SetupAbonnement::cmdDelete_Click()
{
    guarded([this] {
        const ListItem* row = lvwAbonnement.selectedItem();
        if (!row)
            return;
        AbonnementSettings& list = abonnementen();
        const AbonnementRecord* record = list.AbonnementOpID(row->key());
        if (!record)
            throw RuntimeError::subscriptOutOfRange();
        if (!list.Abonnement(2) || (record->Actief && list.AantalActief() <= 1)) {
            minimaalEenActief(MsgIcon::Exclamation);
            return;
        }
        if (ui().msgBox(u"Weet u zeker dat u het geselecteerde abonnement wilt verwijderen?"_s, MsgButtons::YesNo,
                        MsgIcon::Exclamation, VerwijderenCaption) != MsgResult::Yes)
            return;
        const AbonnementRecord oud = *record;
        const int aantal = database().AantalAdviezenAbonnement(oud);
        if (aantal > 0) {
            frmOmzettenAbonnement dialog;
            dialog.setSetup(Setup());
            dialog.setAantal(aantal);
            dialog.setID(oud.ID);
            dialog.setApplication(app());
            dialog.setBackColor(BackColor());
            ui().showModal(dialog);
            if (dialog.Geannuleerd())
                return;
            const AbonnementRecord* nieuw = list.AbonnementOpID(dialog.NieuwID());
            // Without a replacement the advices would point at nothing: nothing is deleted then.
            if (!nieuw || nieuw->ID == oud.ID)
                throw RuntimeError::invalidProcedureCall();
            database().VervangAbonnement(oud, *nieuw);
        }
        list.RemoveAbonnement(oud.ID);
        app().SetupChanged();
        Fill_Screen();
    });
}

} // namespace tarvelo
