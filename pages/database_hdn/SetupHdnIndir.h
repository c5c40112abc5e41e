#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"
#include "pages/database_hdn/HdnIndirLijst.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Inkomende berichten": the folders, per message type, into which the HDN
// client delivers incoming messages other than its standard incoming folder.
class SetupHdnIndir final : public SettingsPage {
public:
    SetupHdnIndir();
    QString Titel() const override { return u"Inkomende berichten"_s; }

    ListView& lstHdnIndir;
    CommandButton& cmdToevoegen;
    CommandButton& cmdVerwijderen;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - HDN Indir"_s; }

private:
    HdnIndirLijst lijst_;
};

} // namespace tarvelo
