#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/host/SettingsObject.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Tarieven": the office's own fees and the way an advice's financing set-up
// works out the deeds, the valuation and the mortgage registration.
class SetupTarief final : public SettingsPage {
public:
    SetupTarief();
    QString Titel() const override { return u"Tarieven"_s; }
    bool hasValidation() const override { return true; }

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    // One row of the financing set-up: a method, a percentage and a fixed amount.
    struct Opzet {
        ComboBox& cbo;
        TextBox& txtPercentage;
        Label& lblPercentage;
        TextBox& txtBedrag;
        Setting<qint16>& methode;
        Setting<double>& percentage;
        Setting<double>& bedrag;
    };

    // One function per frame, each returning it.
    Frame& addFinancieringsopzet();
    Frame& addAdvieskostenMetHypotheek();
    Frame& addAdvieskostenZonderHypotheek();
    void addFeeRows(Frame& parent, std::initializer_list<int> indices);
    void connectChecks();
    void showSettings();
    Frame& addOpzetRow(Frame& parent, const QString& frameName, const QString& caption, const QString& cboName,
                       const QString& pctName, const QString& lblPctName, const QString& amountName,
                       std::vector<QString> items);
    void placeOpzetRow(int row, int fieldLeft);
    Opzet opzet(int row) const;
    void Fill_cboAdvieskosten();
    void Fill_Opzet(int row);
    void cboOpzet_Click(int row);
    void Set_OpzetVisibility(int row, bool store);
    void cboAdvieskosten_Click(int index);
    void Set_Bemiddelingsvergoeding();
    void storeNumber(TextBox& box, Setting<double>& setting, bool amount, double cap, const QString& refusal,
                     bool& Cancel);

    std::array<Label*, 4> lblOpzet{};
    std::array<ComboBox*, 4> cboOpzet{};
    std::array<TextBox*, 4> txtOpzetPercentage{};
    std::array<Label*, 4> lblOpzetPercentage{};
    std::array<TextBox*, 4> txtOpzetBedrag{};
    std::array<Label*, 5> lblAdvieskosten{};
    std::array<ComboBox*, 5> cboAdvieskosten{};
    std::array<TextBox*, 5> txtAdvieskosten{};
    Frame* fraBemiddelingsvergoeding = nullptr;
    TextBox* txtPcAdvieskosten = nullptr;
    TextBox* txtDossiervergoeding = nullptr;
};

} // namespace tarvelo
