#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"

#include <QVariantList>
#include <optional>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;
class HostedPage;
class MijCatalogus;
class CAgentnummer;
struct Maatschappij;

// "Maatschappijen": the outside parties the office works with, per kind. For
// the chosen kind it lists the companies, per company the office's agent
// numbers, the receiver of its applications, the return method and its
// products; for notaries and service providers it shows their own page.
class MijOverzicht final : public SettingsPage {
public:
    MijOverzicht();
    ~MijOverzicht() override;
    QString Titel() const override { return u"Maatschappijen"_s; }
    AttachKind attachKind() const override { return AttachKind::SetApplication; }

    // The short name of a company to preselect at the next SetApplication.
    void setOm_NaamKort(const QString& shortName) { omNaamKort_ = shortName; }
    qint16 InnerHeight() const { return innerHeight_; }
    qint16 InnerWidth() const { return innerWidth_; }
    // Hint controls keep their white background.
    void setBackColor(Colour colour) override;

    // The current kind and company, as the user sees them chosen.
    qint32 currentKind() const { return cdSoortMij_; }
    const QString& currentCompany() const { return cdMij_; }
    HostedPage* hostedPage() const { return hostedPage_; }
    // A mouse button went down on the page itself at (x, y) twips: exactly at
    // the corner it refills the lists of the current kind.
    void mouseDown(int x, int y);

    // One entry of the commission list: the companies whose commission
    // settings the office keeps, with their settings object.
    struct ProvisieMij {
        QString Cd_Mij, Om_Mij, Om_MijKort, Om_Object;
    };
    const std::vector<ProvisieMij>& provisieLijst() const { return provisie_; }

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"SetApplication"_s; }

private:
    bool Get_Mij_Info(const QString& shortName);
    void Fill_cboPartijen();
    void Fill_Controls();
    void Fill_Maatschappijen();
    void Fill_Agentnummers();
    void Fill_cboHDNRetour();
    void Fill_HDNAanvraag();
    void Fill_Producten();
    void StateChange();
    void Collect_ProvisieControls();
    void Add_ProvisieMij(const Maatschappij& mij);
    void Form_Resize();
    void cboPartijen_Click();
    void lvwMaatschappij_ItemClick(ListItem& row);
    // Editing and saving (MijOverzichtEditing.cpp).
    void Save_MijInstellingen();
    void lvwMaatschappij_ItemCheck(ListItem& row);
    void cboHDNOntvanger_Click();
    void cboHDNRetour_Click();
    void cmdAddAgentnummer_Click();
    void cmdEditAgentnummer_Click();
    void lvwAgentnummers_DblClick();
    void editAgentnummer();
    void cmdDeleteAgentnummer_Click();
    void lvwAgentnummers_ItemCheck(ListItem& row);
    void lvwAgentnummers_ColumnClick(ColumnHeader& column);
    bool Add_AgentnummerToDatabase(const CAgentnummer& agentnummer);
    // shown: the number as the list showed it before the user changed it.
    // What another workstation stored meanwhile in a field the user left as
    // shown is kept; agentnummer becomes what was written.
    bool Update_AgentnummerInDatabase(CAgentnummer& agentnummer, const CAgentnummer& shown);
    bool Delete_AgentnummerFromDatabase(const QString& guid);
    bool Update_AgentnummerDefaultInDatabase(const CAgentnummer& agentnummer);
    // A statement with its values, bound in order to its "?" placeholders.
    struct Statement {
        QString sql;
        QVariantList values;
    };
    // Runs the statements in one transaction. With LastTouchesARow the last one
    // must change a row, or everything is rolled back and false returned: a
    // number that went or changed meanwhile is not reported as changed.
    enum class Touch { Any, LastTouchesARow };
    bool runInTransaction(const std::vector<Statement>& statements, Touch touch = Touch::Any);
    // The update of a number over the values expected in its row: every
    // column it writes is in its guard.
    std::vector<Statement> updateStatements(const CAgentnummer& wanted, const CAgentnummer& expected) const;
    // Another workstation removed or changed the number meanwhile: the user
    // is told or asked, and the list shows what is stored.
    std::optional<CAgentnummer> storedAgentnummer(const QString& guid);
    void agentnummerGone(const QString& guid, bool removeRow, bool deleting = false);
    CAgentnummer agentnummerOf(const ListItem& row) const;
    void showAgentnummer(ListItem& row, const CAgentnummer& agentnummer);
    static void showSurcharge(ListItem& row, double surcharge);
    // The company row's default agent number, shown and stored, after a change of the default.
    void showCompanyDefault(const QString& agentnummer);
    // The list and the company row show the default as it is stored.
    void showStoredDefault();
    Statement clearOtherDefaults(const QString& guid) const;
    void cmdAgentnummerExport_Click();
    void Save_AgentnummerExport();
    void cmdAgentnummerImport_Click();
    void Read_AgentnummerExport();
    void cmdRenteOpties_Click();
    void cmdProvisieInstellingen_Click();
    void connectEditing();
    void selectCompany(ListItem& row);
    void clearAgentnummers();

    // The company object of the current kind's list with this code.
    const Maatschappij* companyOf(const QString& cdMij) const;
    const Maatschappij* listEntry(qint32 kind, int index) const;
    // A company whose agent numbers and receiver the page edits: not a
    // notary or service provider and not one of the codes without them.
    bool ordinaryCompanyCurrent() const;

    Frame& fraPartijen;
    ComboBox& cboPartijen;
    Frame& fraMaatschappij;
    ListView& lvwMaatschappij;
    Frame& fraAgentnummers;
    ListView& lvwAgentnummers;
    CommandButton& cmdAddAgentnummer;
    CommandButton& cmdEditAgentnummer;
    CommandButton& cmdDeleteAgentnummer;
    Hint& hintAgentnummer;
    Frame& fraAgentummersUitwisselen;
    CommandButton& cmdAgentnummerExport;
    CommandButton& cmdAgentnummerImport;
    Frame& fraHypotheekaanvraag;
    Label& lblOntvanger;
    ComboBox& cboHDNOntvanger;
    Label& lblHdnRetour;
    ComboBox& cboHDNRetour;
    Frame& fraHypotheekOpties;
    Label& lblProvisie;
    CommandButton& cmdRenteOpties;
    Frame& fraProvisie;
    CommandButton& cmdProvisieInstellingen;
    Frame& fraProducten;
    ListView& lvwProducten;

    Database* database_ = nullptr;
    MijCatalogus* catalogus_ = nullptr;
    HostedPage* hostedPage_ = nullptr;
    QString omNaamKort_;
    QString cdMij_;
    qint32 cdSoortMij_ = 1;
    std::vector<ProvisieMij> provisie_;
    qint16 innerHeight_ = 0;
    qint16 innerWidth_ = 0;
};

} // namespace tarvelo
