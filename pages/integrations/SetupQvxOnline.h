#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

class DocumentAanvraagSnelkeuze;

// "Online inventarisatie": what an invitation to the online consumer portal
// asks the client for, its salutation, what the overview of the answers
// shows, and the link to the office's own settings on the portal.
class SetupQvxOnline final : public SettingsPage {
public:
    // The office-settings page of the consumer portal; the sid key follows.
    static inline const QString ProductieAdres =
        u"https://online.quenmarix.nl/consument/kantoorinstellingen.aspx?sid="_s;
    static inline const QString TestAdres =
        u"https://test-online.quenmarix.nl/consument/kantoorinstellingen.aspx?sid="_s;

    SetupQvxOnline();
    QString Titel() const override { return u"Online inventarisatie"_s; }

    // The office's key on the portal: its identification text in ANSI,
    // Base64-encoded and reversed character by character.
    static QString sidKey(const QString& kantoorIdentificatie);

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"FillScreen"_s; }
    // The fill sets the loading flag itself: the click handlers stay silent during it.
    bool guardsFill() const override { return true; }

private:
    void chkInventarisatie_Click(int index);
    void Update_Cd_Inventarisatie();
    void Fill_KantoorAdviseur();
    void Fill_Snelkeuze();
    void lblQuenmarixConsument_Click();

    CheckBox* chkInventarisatie[2] = {};
    Frame& fraUitnodiging;
    Frame& fraInstelling;
    Label* lblQuenmarixConsument = nullptr;
    DocumentAanvraagSnelkeuze* snelkeuze_ = nullptr;
    Hint* hntUitnodiging = nullptr;
};

} // namespace tarvelo
