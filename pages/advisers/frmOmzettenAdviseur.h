#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"

namespace tarvelo {

class Database;

// Chooses the adviser who takes over the advices of an adviser being removed,
// or calls the removal off. Only active advisers other than the one removed
// can be chosen; without one the removal cannot go on.
class frmOmzettenAdviseur final : public Dialog {
public:
    frmOmzettenAdviseur();

    // Set before Application: the number of advices and the removed adviser's code.
    void setAantal(qint32 aantal) { Aantal = aantal; }
    void setCode(const QString& code) { Code = code; }
    void setDatabase(Database* database) { database_ = database; }
    Database* database() const { return database_; }
    // Stores the host and fills the dialog from its register.
    void setApplication(Application& application);

    // The chosen adviser's code, read after the dialog closed unless Geannuleerd.
    const QString& NieuweCode() const { return nieuweCode_; }

    Label& lblOmzetten;
    Label& lblNieuweAdviseur;
    ComboBox& cboAdviseurs;
    CommandButton& cmdOk;
    CommandButton& cmdAfbreken;

private:
    void Fill_Control();
    void cmdOk_Click();
    void cmdAfbreken_Click();

    qint32 Aantal = 0;
    QString Code;
    Database* database_ = nullptr;
    QString nieuweCode_;
};

} // namespace tarvelo
