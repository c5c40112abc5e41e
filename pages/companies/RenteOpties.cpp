#include "pages/companies/RenteOpties.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 5400;
constexpr int ListHeight = 2415;
} // namespace

RenteOpties::RenteOpties(Form& form, const QString& name, int index, Control* parent)
    : RenteOpties(form, u"TarveloCommonCtrl.RenteOpties"_s, name, index, parent)
{
}

RenteOpties::RenteOpties(Form& form, const QString& className, const QString& name, int index, Control* parent)
    : UserControl(form, className, name, index, parent),
      lblOpties(inner().add<Label>(inner(), u"lblOpties"_s)),
      lvwOpties(inner().add<ListView>(inner(), u"lvwOpties"_s))
{
    lblOpties.setCaption(u"Arrangementen die u in uw adviezen aanbiedt:"_s);
    lblOpties.setBounds(0, 0, Width, 255);
    lvwOpties.setBounds(0, 300, Width, ListHeight);
    lvwOpties.setCheckboxes(true);
    lvwOpties.setFullRowSelect(true);
    lvwOpties.addColumn(u"Arrangement"_s, u"Arrangement"_s, Width - 360);
    setBounds(0, 0, Width, 300 + ListHeight);
    lvwOpties.ItemCheck.connect([this](ListItem& row) { rowChecked(row); });
}

RenteOptiesIN::RenteOptiesIN(Form& form, const QString& name, int index, Control* parent)
    : RenteOpties(form, u"TarveloINVoorstel.RenteOpties"_s, name, index, parent)
{
}

void RenteOpties::setLening(const Lening& lening)
{
    lening_ = lening;
    cdMij_ = lening.Cd_Mij;
}

void RenteOpties::Fill_Control()
{
    guarded([this] {
        filling_ = true;
        filled_ = false;
        lvwOpties.clear();
        titel_ = u"Hypotheekopties"_s;
        const Maatschappij* lender = nullptr;
        MijCatalogus& catalogus = GetMijCatalogus(app());
        for (int i = 1; !cdMij_.isEmpty() && (lender = catalogus.Geldverstrekker(i)); ++i) {
            if (lender->Cd_Mij == cdMij_)
                break;
        }
        if (lender) {
            if (lening_)
                fillLoanPart(*lender);
            else
                fillDefaults(*lender);
            filled_ = true;
        }
        filling_ = false;
        Resized();
    });
}

namespace {
// The arrangements of the lender the office does not offer.
QSet<QString> notOffered(Application& application, const QString& cdMij)
{
    QSet<QString> codes;
    std::unique_ptr<Recordset> rs =
        GetDatabase(application)
            ->connection()
            .OpenRecordset(u"SELECT Cd_Product FROM Tbl_Mij_Renteopties WHERE Cd_Mij = ? AND In_Aanbieden = 0"_s,
                           {cdMij});
    for (; !rs->EOF_(); rs->MoveNext())
        codes.insert(rs->text(u"Cd_Product"_s));
    rs->Close();
    return codes;
}
} // namespace

// The lender's active arrangements, offered unless the office stored otherwise.
void RenteOpties::fillDefaults(const Maatschappij& lender)
{
    titel_ = u"Hypotheekopties "_s + lender.Om_Naam;
    lblOpties.setCaption(u"Arrangementen die u in uw adviezen aanbiedt:"_s);
    const QSet<QString> hidden = notOffered(app(), lender.Cd_Mij);
    for (const MijProduct& product : lender.Producten) {
        if (!product.In_Actief)
            continue;
        ListItem& row = lvwOpties.addItem(product.Cd_Product, product.Om_Product);
        row.setChecked(!hidden.contains(product.Cd_Product));
    }
}

// The arrangements the office offers at the lender, one of which the loan part
// takes. The loan part's own arrangement stays in the list even when it is no
// longer offered, so that saving never changes it unasked.
void RenteOpties::fillLoanPart(const Maatschappij& lender)
{
    titel_ = u"Hypotheekopties "_s + lender.Om_Naam + u" - "_s + lening_->Omschrijving;
    lblOpties.setCaption(u"Arrangement van dit leningdeel:"_s);
    const QSet<QString> hidden = notOffered(app(), lender.Cd_Mij);
    bool chosenShown = lening_->Cd_Product.isEmpty();
    for (const MijProduct& product : lender.Producten) {
        const bool chosen = product.Cd_Product == lening_->Cd_Product;
        if (!chosen && (!product.In_Actief || hidden.contains(product.Cd_Product)))
            continue;
        lvwOpties.addItem(product.Cd_Product, product.Om_Product).setChecked(chosen);
        chosenShown = chosenShown || chosen;
    }
    if (!chosenShown)
        lvwOpties.addItem(lening_->Cd_Product, lening_->Cd_Product).setChecked(true);
}

// For a loan part one arrangement at most: checking one unchecks the others.
void RenteOpties::rowChecked(ListItem& row)
{
    if (filling_)
        return;
    if (lening_ && row.checked()) {
        filling_ = true;
        for (int i = 1; i <= lvwOpties.count(); ++i) {
            ListItem& other = lvwOpties.item(i);
            if (&other != &row && other.checked())
                other.setChecked(false);
        }
        filling_ = false;
    }
    Changed();
}

bool RenteOpties::Save_Renteopties()
{
    return guarded([this] {
        if (!filled_)
            return;
        if (lening_)
            saveLoanPart();
        else
            saveDefaults();
    });
}

void RenteOpties::saveLoanPart()
{
    Advies* advies = app().HuidigAdviesObject();
    if (!advies || advies->ID() != lening_->AdviesID)
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"Het advies van dit leningdeel is niet meer geopend; er is niets opgeslagen."_s);
    Lening lening = *lening_;
    lening.Cd_Product.clear();
    for (int i = 1; i <= lvwOpties.count(); ++i) {
        if (lvwOpties.item(i).checked())
            lening.Cd_Product = lvwOpties.item(i).key();
    }
    advies->SaveLening(lening);
    lening_ = lening;
}

void RenteOpties::saveDefaults()
{
    Connection& connection = GetDatabase(app())->connection();
    connection.BeginTrans();
    try {
        // Only the arrangements shown: the stored choice of an arrangement the
        // lender no longer offers stays for when it returns.
        for (int i = 1; i <= lvwOpties.count(); ++i) {
            const ListItem& row = lvwOpties.item(i);
            connection.Execute(u"DELETE FROM Tbl_Mij_Renteopties WHERE Cd_Mij = ? AND Cd_Product = ?"_s,
                               {cdMij_, row.key()});
            connection.Execute(u"INSERT INTO Tbl_Mij_Renteopties (Cd_Mij, Cd_Product, In_Aanbieden) VALUES (?, ?, ?)"_s,
                               {cdMij_, row.key(), row.checked() ? -1 : 0});
        }
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
}

} // namespace tarvelo
