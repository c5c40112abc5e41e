#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"
#include "framework/forms/ProgressBar.h"
#include "framework/forms/TextBox.h"
#include "pages/database_hdn/HdnMessageStore.h"

namespace tarvelo {

struct HdnStorageSettings;

// Counts the stored HDN messages, checks the chosen folder and moves the
// messages between the advice database and a folder, or from folder to
// folder, with progress; offers to undo a move that failed half-way.
class frmWijzigenHDNBerichtenOpslag final : public Dialog {
public:
    frmWijzigenHDNBerichtenOpslag();

    // The target storage: 1 = database, 2 = folder. Set before Application.
    void setCd_HDNBerichtenOpslagActie(int target) { Cd_HDNBerichtenOpslagActie = target; }
    // Stores the application and fills the dialog.
    void setApplication(Application& application);

    // 1 = database to folder, 2 = folder to database, 3 = folder to folder, 0 = nothing to do.
    int moveCode() const { return moveCode_; }
    qint64 aantalBerichten() const { return aantal_; }
    qint64 grootteOpSchijf() const { return grootte_; }

    // Whether the folder exists and a file can be written in it and removed again.
    static bool Check_DestinationFolderRights(const QString& folder);
    // The disk space of the folder's file system, or 0 when it has none.
    static qint64 AllocationUnit(const QString& folder);
    static QString Convert_SizeToString(qint64 bytes);

    Label& lblUitleg;
    TextBox& txtHDNBerichtenOpslagMap;
    CommandButton& cmdHDNBerichtenOpslagMap;
    Label& lblAvailableSpace;
    CheckBox& chkBestandenVerwijderen;
    ProgressBar& pgbProgress;
    Label& lblVoortgang;
    CommandButton& cmdActie;
    CommandButton& cmdAnnuleren;

private:
    void Fill_Control();
    void Show_Explanation();
    void Show_AvailableSpace(const QString& folder);
    void cmdHDNBerichtenOpslagMap_Click();
    void cmdActie_Click();
    // Runs the move for the move code; false with errorText_ set when it stopped.
    bool runMove(int code, bool reverse);
    void Move_BerichtenFromDatabaseToFolder(const QString& folder);
    void Move_BerichtenFromFolderToDatabase(const QString& folder, bool deleteFiles);
    void Move_BerichtenFromFolderToFolder(const QString& from, const QString& to);
    void RollBack();
    void startProgress();
    void showRow(qint64 row);
    HdnMessageStore store();
    HdnStorageSettings& storage();
    void saveGlobalSetup();
    QString chosenFolder() const;

    int Cd_HDNBerichtenOpslagActie = 0;
    int huidigeOpslag_ = 1;
    QString huidigeMap_;
    int moveCode_ = 0;
    qint64 aantal_ = 0;
    qint64 grootte_ = 0;
    qint64 vrij_ = 0;
    QString errorText_;
    HdnMoveResult last_;
    int shownPercent_ = -1;
};

} // namespace tarvelo
