#include "pages/companies/RenteOpties.h"

#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"

#include <QSet>

namespace tarvelo {

namespace {
constexpr int Width = 5400;
constexpr int ListHeight = 2415;
} // namespace

RenteOpties::RenteOpties(Form& form, const QString& name, int index, Control* parent)
    : RenteOpties(form, QStringLiteral("TarveloCommonCtrl.RenteOpties"), name, index, parent)
{
}

RenteOpties::RenteOpties(Form& form, const QString& className, const QString& name, int index, Control* parent)
    : UserControl(form, className, name, index, parent),
      lblOpties(inner().add<Label>(QStringLiteral("lblOpties"))),
      lvwOpties(inner().add<ListView>(QStringLiteral("lvwOpties")))
{
    lblOpties.setCaption(QStringLiteral("Arrangementen die u in uw adviezen aanbiedt:"));
    lblOpties.setBounds(0, 0, Width, 255);
    lvwOpties.setBounds(0, 300, Width, ListHeight);
    lvwOpties.setCheckboxes(true);
    lvwOpties.setFullRowSelect(true);
    lvwOpties.addColumn(QStringLiteral("Arrangement"), QStringLiteral("Arrangement"), Width - 360);
    setBounds(0, 0, Width, 300 + ListHeight);
    lvwOpties.ItemCheck.connect([this](ListItem&) {
        if (!filling_)
            Changed();
    });
}

RenteOptiesIN::RenteOptiesIN(Form& form, const QString& name, int index, Control* parent)
    : RenteOpties(form, QStringLiteral("TarveloINVoorstel.RenteOpties"), name, index, parent)
{
}

// The lender's active arrangements, offered unless the office stored otherwise.
void RenteOpties::Fill_Control()
{
    guarded([this] {
        filling_ = true;
        lvwOpties.clear();
        titel_ = QStringLiteral("Hypotheekopties");
        const Maatschappij* lender = nullptr;
        MijCatalogus& catalogus = GetMijCatalogus(app());
        for (int i = 1; !cdMij_.isEmpty() && (lender = catalogus.Geldverstrekker(i)); ++i) {
            if (lender->Cd_Mij == cdMij_)
                break;
        }
        if (!lender) {
            filling_ = false;
            return;
        }
        titel_ = QStringLiteral("Hypotheekopties ") + lender->Om_Naam;
        QSet<QString> notOffered;
        std::unique_ptr<Recordset> rs = GetDatabase(app())->connection().OpenRecordset(
            QStringLiteral("SELECT Cd_Product FROM Tbl_Mij_Renteopties WHERE Cd_Mij = ") + sqlQuoted(cdMij_) +
            QStringLiteral(" AND In_Aanbieden = 0"));
        for (; !rs->EOF_(); rs->MoveNext())
            notOffered.insert(rs->text(QStringLiteral("Cd_Product")));
        rs->Close();
        for (const MijProduct& product : lender->Producten) {
            if (!product.In_Actief)
                continue;
            ListItem& row = lvwOpties.addItem(product.Cd_Product, product.Om_Product);
            row.setChecked(!notOffered.contains(product.Cd_Product));
        }
        filling_ = false;
        Resized();
    });
}

void RenteOpties::Save_Renteopties()
{
    guarded([this] {
        if (cdMij_.isEmpty())
            return;
        Connection& connection = GetDatabase(app())->connection();
        connection.BeginTrans();
        try {
            connection.Execute(QStringLiteral("DELETE FROM Tbl_Mij_Renteopties WHERE Cd_Mij = ") + sqlQuoted(cdMij_));
            for (int i = 1; i <= lvwOpties.count(); ++i) {
                const ListItem& row = lvwOpties.item(i);
                connection.Execute(QStringLiteral("INSERT INTO Tbl_Mij_Renteopties (Cd_Mij, Cd_Product, In_Aanbieden) "
                                                  "VALUES (%1, %2, %3)")
                                       .arg(sqlQuoted(cdMij_), sqlQuoted(row.key()),
                                            row.checked() ? QStringLiteral("-1") : QStringLiteral("0")));
            }
            connection.CommitTrans();
        } catch (...) {
            connection.RollbackTrans();
            throw;
        }
    });
}

} // namespace tarvelo
