#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/host/SettingsObject.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;

// "Portefeuille meldingen": which tasks the application makes by itself for
// the advices 'In beheer' (product end dates, ends of fixed-rate periods, life
// events, subscription review moments), how far in advance, and when they
// lapse; "&Nu uitvoeren..." runs the check at once.
class SetupHerinneringen final : public SettingsPage {
public:
    SetupHerinneringen();
    QString Titel() const override { return u"Portefeuille meldingen"_s; }
    bool hasValidation() const override { return true; }

    // The product-type bits of chkProducttype(0..11) and the life-event bits of chkGebeurtenis(0..2).
    static const std::array<qint32, 12> ProducttypeBits;
    static const std::array<qint32, 3> GebeurtenisBits;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen Portefeuille meldingen"_s; }
    std::vector<ValidationCheck> validationChecks() override;

private:
    // One function per part of the page.
    Frame& addTaken();
    void addSoorten();
    void connectEvents();
    void showSettings();
    // One kind of task: its check box, its period and the frames it shows.
    struct Soort {
        CheckBox* chk = nullptr;
        Frame* fraOuter = nullptr;
        Frame* fraPeriode = nullptr;
        Frame* fraTypen = nullptr;
        TextBox* txt = nullptr;
        ComboBox* cbo = nullptr;
    };
    enum SoortIndex { Product = 0, Rvp = 1, Gebeurtenis = 2, Abonnement = 3 };

    Soort addSoort(const QString& frameName, const QString& chkName, const QString& caption,
                   const QString& periodeFrame, const QString& txtName, const QString& cboName);
    Setting<bool>& soortSetting(int soort) const;
    Setting<qint16>& aantalSetting(int soort) const;
    Setting<qint16>& eenheidSetting(int soort) const;

    void cboTermijn(ComboBox& combo, qint16 unit, bool withNooit);
    void jnAutoTaak_Change();
    void Enable_Controls();
    void chkSoort_Click(int soort);
    void Show_Soort(int soort);
    void chkProducttype_Click(int index);
    void chkGebeurtenis_Click(int index);
    void cboTermijn_Click(int soort);
    void cboAfgehandeldTermijn_Click();
    void txtAfgehandeldTermijn_Validation(bool& Cancel);
    void txtTermijn_Validation(int soort, bool& Cancel);
    // Stores the count typed into box, or reports a text that is no count and
    // shows the stored one again.
    void storeCount(TextBox& box, Setting<qint16>& setting, const QString& procedure);
    void cmdTakenAanmaken_Click();
    bool completionPeriodPasses();
    bool lifeEventPeriodPasses();

    YesNo& jnAutoTaak;
    Label& lblAutoTaak;
    Label& lblAfgehandeld;
    TextBox& txtAfgehandeldTermijn;
    ComboBox& cboAfgehandeldTermijn;
    Label& lblAfgehandeldNa;
    CommandButton& cmdTakenAanmaken;
    std::array<Soort, 4> soorten;
    std::array<CheckBox*, 12> chkProducttype{};
    std::array<CheckBox*, 3> chkGebeurtenis{};
    Database* database_ = nullptr;
};

} // namespace tarvelo
