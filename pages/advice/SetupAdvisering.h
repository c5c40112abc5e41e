#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"
#include "pages/advice/StandaardtekstDocument.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

struct Motiveringsonderwerp;

// "Standaard teksten motivering": the office's standard texts for the
// motivation of an advice, per advice subject in four lists (the advice, a
// deviating choice, general remarks, particulars), one default per list;
// exported to and imported from an enciphered ".tvs" file.
class SetupAdvisering final : public SettingsPage {
public:
    static constexpr int Lijsten = 4;

    SetupAdvisering();
    QString Titel() const override { return u"Standaard teksten motivering"_s; }
    void setBackColor(Colour colour) override;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    struct Lijst {
        Label* lblStandaardTeksten = nullptr;
        ListView* lvwMotiveringen = nullptr;
        CommandButton* cmdAdd = nullptr;
        CommandButton* cmdEdit = nullptr;
        CommandButton* cmdDelete = nullptr;
        QString cd;
    };

    void cboOnderwerpen_Click();
    void Set_Onderwerpnode();
    void Fill_Listviews(const QString& selectKey = QString());
    void enableRowButtons(int index);
    void cmdAdd_Click(int index);
    void cmdEdit_Click(int index);
    void lvwMotiveringen_DblClick(int index);
    void cmdDelete_Click(int index);
    void lvwMotiveringen_ItemCheck(int index, ListItem& row);
    void Update_Node(int index);
    void Save();
    void cmdExport_Click();
    void cmdImport_Click();

    // Shows frmStandaardtekstDetail for a list; the text, or nothing when cancelled.
    std::optional<QString> editText(int index, const QString& text);
    // The (cd, id) in a row's key "cd_id".
    static std::pair<QString, QString> keyParts(const ListItem& row);
    const Motiveringsonderwerp& onderwerp() const;

    std::array<Lijst, Lijsten + 1> lijsten_{}; // from 1, as the control arrays count
    ComboBox& cboOnderwerpen;
    CommandButton& cmdExport;
    CommandButton& cmdImport;
    StandaardtekstDocument document_;
    int onderdeel_ = 1;
    int onderwerp_ = 1;
};

} // namespace tarvelo
