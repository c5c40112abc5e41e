#include "pages/database_hdn/HdnIndirLijst.h"

#include "framework/errors/Procedures.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "pages/database_hdn/frmHDNIndir.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

HdnIndirLijst::HdnIndirLijst(Procedures& owner, ListView& list, CommandButton& add, CommandButton& remove, Names names)
    : owner_(owner),
      list_(list),
      remove_(remove),
      names_(std::move(names))
{
    list_.setFullRowSelect(true);
    list_.setHideSelection(false);
    add.Click.connect([this] { cmdToevoegen_Click(); });
    remove.Click.connect([this] { cmdVerwijderen_Click(); });
    list_.ItemClick.connect([this](ListItem&) { lstHdnIndir_Click(); });
}

Settings& HdnIndirLijst::setup() const
{
    if (!setup_)
        throw RuntimeError::objectRequired();
    return *setup_;
}

void HdnIndirLijst::Fill()
{
    owner_.guarded(names_.fill, [this] {
        list_.clear();
        list_.clearColumns();
        list_.addColumn(u"Berichtsoort"_s, u"Berichtsoort"_s, 1200);
        list_.addColumn(u"Locatie"_s, u"Locatie"_s, qMax(1440, list_.width() - 1200 - 360));
        HdnIndirList indirs = setup().get<HdnSettings>().HDNIndirs();
        for (int i = 1; const HdnIndirRecord* entry = indirs.Item(i); ++i)
            list_.addItem(entry->Berichtsoort).setSubItem(1, entry->Map);
        list_.setFullRowSelect(true);
        // Nothing to remove from an empty list.
        remove_.setEnabled(list_.count() > 0);
    });
}

void HdnIndirLijst::Update()
{
    owner_.guarded(names_.update, [this] {
        HdnIndirList indirs = setup().get<HdnSettings>().HDNIndirs();
        while (indirs.Count() > 0)
            indirs.Remove(1);
        for (int i = 1; i <= list_.count(); ++i)
            indirs.Add(list_.item(i).text(), list_.item(i).subItem(1));
    });
}

void HdnIndirLijst::cmdToevoegen_Click()
{
    owner_.guarded(u"cmdToevoegen_Click"_s, [this] {
        Application& app = owner_.app();
        if (frmHDNIndir::FreeBerichtsoorten(setup()).isEmpty()) {
            app.ui().msgBox(
                u"U heeft alle inkomende berichtsoorten al toegewezen aan een map."_s + u"\r\n"_s +
                    u"Indien u een berichtsoort aan een andere map wilt toewijzen dient u deze eerst uit de lijst te verwijderen."_s,
                MsgButtons::OK, MsgIcon::Exclamation, u"HDN Indir instellen"_s);
            return;
        }
        frmHDNIndir dialog;
        dialog.setSetup(setup());
        dialog.setApplication(app);
        app.ui().showModal(dialog);
        if (dialog.Geannuleerd())
            return;
        Fill();
        Update();
        app.SetupChanged();
        if (Changed)
            Changed();
    });
}

void HdnIndirLijst::cmdVerwijderen_Click()
{
    owner_.guarded(u"cmdVerwijderen_Click"_s, [this] {
        const ListItem* row = list_.selectedItem();
        if (!row)
            return;
        Application& app = owner_.app();
        const QString soort = row->text();
        if (app.ui().msgBox(u"Wilt u de ingestelde indir voor berichtsoort '"_s + soort + u"' verwijderen?"_s,
                            MsgButtons::YesNo, MsgIcon::None, u"Verwijderen HDN Indir"_s) != MsgResult::Yes)
            return;
        HdnIndirList indirs = setup().get<HdnSettings>().HDNIndirs();
        for (int i = 1; const HdnIndirRecord* entry = indirs.Item(i); ++i) {
            if (entry->Berichtsoort == soort) {
                indirs.Remove(i);
                break;
            }
        }
        Fill();
        app.SetupChanged();
        if (Changed)
            Changed();
    });
}

void HdnIndirLijst::lstHdnIndir_Click()
{
    owner_.guarded(u"lstHdnIndir_Click"_s, [this] { Update(); });
}

} // namespace tarvelo
