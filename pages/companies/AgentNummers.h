#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;
class MijCatalogus;

// "Agentnummers": the older page on which the office edits the agent numbers
// of its lenders, insurers, asset managers and valuers directly, company by
// company, and stores a company's list as a whole.
class AgentNummers final : public SettingsPage {
public:
    AgentNummers();
    QString Titel() const override { return u"Agentnummers"_s; }
    AttachKind attachKind() const override { return AttachKind::SetApplication; }

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"SetApplication"_s; }
    QString errorContext() const override { return u"Agentnummers"_s; }

private:
    qint32 kind() const;
    void Fill_Maatschappijen();
    void Clear_Agentnummers();
    void optSoortMaatschappij_Click(int index);
    void lvwMaatschappijnaam_ItemClick(ListItem& row);
    void lvwAgentnummers_ItemClick(ListItem& row);
    void cmdNieuw_Click();
    void cmdVerwijderen_Click();
    void cmdOpslaan_Click();
    void txtAgentNummer_Change();
    void txtRente_Change();
    void setBoxes(bool enabled, const QString& number, const QString& rente);

    std::vector<OptionButton*> optSoortMaatschappij;
    ListView& lvwMaatschappijnaam;
    Frame& fraAgentnummers;
    ListView& lvwAgentnummers;
    TextBox& txtAgentNummer;
    TextBox& txtRente;
    CommandButton& cmdNieuw;
    CommandButton& cmdVerwijderen;
    CommandButton& cmdOpslaan;

    Database* database_ = nullptr;
    MijCatalogus* catalogus_ = nullptr;
    QString cdMij_;
    int option_ = 0;
    bool showing_ = false;
};

} // namespace tarvelo
