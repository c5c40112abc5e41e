#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"

namespace tarvelo {

class Settings;

// Chooses the active subscription that takes over the advices of a
// subscription being deleted, or calls the deletion off.
class frmOmzettenAbonnement final : public Dialog {
public:
    frmOmzettenAbonnement();

    void setSetup(Settings& setup) { setup_ = &setup; }
    void setAantal(int aantal) { aantal_ = aantal; }
    // The subscription being deleted.
    void setID(const QString& id) { id_ = id; }
    // Stores the application and fills the dialog; Setup, Aantal and ID come first.
    void setApplication(Application& application);
    const QString& NieuwID() const { return nieuwId_; }

    static constexpr int IdLength = 38;

    Label& lblOmzetten;
    ComboBox& cboAbonnement;
    CommandButton& cmdOk;
    CommandButton& cmdAfbreken;

private:
    void Fill_Control();
    void cmdOk_Click();

    Settings* setup_ = nullptr;
    int aantal_ = 0;
    QString id_;
    QString nieuwId_;
};

} // namespace tarvelo
