#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/AbonnementSettings.h"

#include <optional>

namespace tarvelo {

class Settings;

// Adds one client subscription or edits the terms of one: the amount per
// instalment and how often it is paid, the contract term and the review period.
// The kind and description of an existing subscription stay as they are.
class frmAbonnementDetail final : public Dialog {
public:
    frmAbonnementDetail();

    void setSetup(Settings& setup) { setup_ = &setup; }
    // Empty for a new subscription.
    void setID(const QString& id) { id_ = id; }
    const QString& ID() const { return id_; }
    // An amount or term of an existing subscription was changed.
    bool Gewijzigd() const { return gewijzigd_; }
    void Fill_Control();

    TextBox& txtSoortAbonnement;
    TextBox& txtOmschrijving;
    TextBox& txtTermijnbedrag;
    ComboBox& cboBetalingstermijn;
    TextBox& txtControletermijn;
    ComboBox& cboControletermijn;
    TextBox& txtContractduurJaar;
    TextBox& txtContractduurMaand;
    CommandButton& cmdOk;
    CommandButton& cmdCancel;

private:
    AbonnementSettings& abonnementen() const;
    bool Check_DubbelAbonnement();
    // The typed terms, or nothing after telling the user what is wrong.
    std::optional<AbonnementRecord> Read_Fields();
    void cmdOk_Click();

    Settings* setup_ = nullptr;
    QString id_;
    bool gewijzigd_ = false;
    AbonnementRecord kept_;
};

} // namespace tarvelo
