#include "pages/companies/AgentNummers.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"
#include "framework/host/OfficeTables.h"
#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"
#include "pages/companies/frmAgentnummer.h"

#include <QUuid>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5400;
const QString NewNumber = u"<<Nieuw nummer>>"_s;
constexpr qint32 Kinds[] = {SoortMij::Geldverstrekker, SoortMij::Verzekeraar, SoortMij::Vermogensbeheerder,
                            SoortMij::Taxateur};
} // namespace

AgentNummers::AgentNummers()
    : SettingsPage(u"AgentNummers"_s),
      lvwMaatschappijnaam(
          add<ListView>(add<Frame>(form(), u"fraMaatschappijNaam"_s, u"Maatschappij"_s), u"lvwMaatschappijnaam"_s)),
      fraAgentnummers(add<Frame>(form(), u"fraAgentnummers"_s)),
      lvwAgentnummers(add<ListView>(fraAgentnummers, u"lvwAgentnummers"_s)),
      txtAgentNummer(add<TextBox>(fraAgentnummers, u"txtAgentNummer"_s)),
      txtRente(add<TextBox>(fraAgentnummers, u"txtRente"_s)),
      cmdNieuw(add<CommandButton>(fraAgentnummers, u"cmdNieuw"_s, u"&Nieuw"_s)),
      cmdVerwijderen(add<CommandButton>(fraAgentnummers, u"cmdVerwijderen"_s, u"&Verwijderen"_s)),
      cmdOpslaan(add<CommandButton>(fraAgentnummers, u"cmdOpslaan"_s, u"&Opslaan"_s))
{
    // The companies with their agent numbers.
    showsOfficeTables(OfficeTables::companyData());
    auto& fraSoort = add<Frame>(form(), u"fraSoortMaatschappij"_s, u"Soort maatschappij"_s);
    const char* captions[] = {"Geldverstrekkers", "Verzekeringsmaatschappijen", "Vermogensbeheerders",
                              "Taxatiebureau's"};
    RowLayout soort(fraSoort, InnerWidth);
    for (int i = 0; i < 4; ++i) {
        auto& opt = add<OptionButton>(fraSoort, u"optSoortMaatschappij"_s, QString::fromUtf8(captions[i]), i);
        optSoortMaatschappij.push_back(&opt);
        soort.line(opt);
        opt.Click.connect([this, i] { optSoortMaatschappij_Click(i); });
    }
    soort.finish();
    // The form keeps its controls in the order added; the kind comes first on the page.
    auto& fraNaam = form().get<Frame>(u"fraMaatschappijNaam"_s);
    lvwMaatschappijnaam.setFullRowSelect(true);
    lvwMaatschappijnaam.setHideSelection(false);
    RowLayout(fraNaam, InnerWidth).line(lvwMaatschappijnaam, 2415).finish();

    auto& lblAgentNummer = add<Label>(fraAgentnummers, u"lblAgentNummer"_s, u"Agentnummer"_s);
    auto& lblRente = add<Label>(fraAgentnummers, u"lblRente"_s, u"Rente Op- / Afslag"_s);
    lvwAgentnummers.setFullRowSelect(true);
    lvwAgentnummers.setHideSelection(false);
    // Read by a screen reader while no company is chosen (the frame has no caption then).
    lvwAgentnummers.setToolTipText(u"Agentnummers van de gekozen maatschappij"_s);
    lvwAgentnummers.addColumn(u"Maatschappij"_s, u"Maatschappij"_s, 2400);
    lvwAgentnummers.addColumn(u"Rente"_s, u"Rente"_s, 1200, Alignment::Right);
    RowLayout(fraAgentnummers, InnerWidth)
        .line(lvwAgentnummers, 1695)
        .field(lblAgentNummer, txtAgentNummer, 2400, 1695)
        .field(lblRente, txtRente, 855, 1695)
        .buttons({&cmdNieuw, &cmdVerwijderen, &cmdOpslaan})
        .finish();
    stackFrames({&fraSoort, &fraNaam, &fraAgentnummers});

    lvwMaatschappijnaam.ItemClick.connect([this](ListItem& row) { lvwMaatschappijnaam_ItemClick(row); });
    lvwAgentnummers.ItemClick.connect([this](ListItem& row) { lvwAgentnummers_ItemClick(row); });
    cmdNieuw.Click.connect([this] { cmdNieuw_Click(); });
    cmdVerwijderen.Click.connect([this] { cmdVerwijderen_Click(); });
    cmdOpslaan.Click.connect([this] { cmdOpslaan_Click(); });
    txtAgentNummer.Change.connect([this] { txtAgentNummer_Change(); });
    txtRente.Change.connect([this] { txtRente_Change(); });
    txtRente.setAlignment(Alignment::Right);
    Clear_Agentnummers();
}

qint32 AgentNummers::kind() const { return Kinds[option_]; }

void AgentNummers::Fill()
{
    database_ = GetDatabase(app());
    catalogus_ = &GetMijCatalogus(app());
    optSoortMaatschappij[std::size_t(option_)]->setValue(true);
    Fill_Maatschappijen();
}

void AgentNummers::Fill_Maatschappijen()
{
    guarded([this] {
        lvwMaatschappijnaam.clear();
        lvwMaatschappijnaam.clearColumns();
        lvwMaatschappijnaam.addColumn(u"Maatschappijnaam (aantal agentnummers)"_s,
                                      u"Maatschappijnaam (aantal agentnummers)"_s, lvwMaatschappijnaam.width() - 60);
        for (int i = 1; const Maatschappij* mij = catalogus_->maatschappij(kind(), i); ++i) {
            lvwMaatschappijnaam.addItem(
                mij->Cd_Mij,
                mij->Om_Naam + u" ("_s + QString::number(catalogus_->AantalAgentnummers(mij->Cd_Mij, kind())) + u")"_s);
        }
    });
}

void AgentNummers::Clear_Agentnummers()
{
    cdMij_.clear();
    lvwAgentnummers.clear();
    fraAgentnummers.setCaption(QString());
    setBoxes(false, QString(), QString());
    for (CommandButton* b : {&cmdNieuw, &cmdVerwijderen, &cmdOpslaan})
        b->setEnabled(false);
}

void AgentNummers::setBoxes(bool enabled, const QString& number, const QString& rente)
{
    showing_ = true;
    txtAgentNummer.setText(number);
    txtRente.setText(rente);
    showing_ = false;
    txtAgentNummer.setEnabled(enabled);
    txtRente.setEnabled(enabled);
}

void AgentNummers::optSoortMaatschappij_Click(int index)
{
    guarded(Index{index}, [&] {
        if (!optSoortMaatschappij[std::size_t(index)]->value())
            return;
        option_ = index;
        Clear_Agentnummers();
        if (catalogus_)
            Fill_Maatschappijen();
    });
}

void AgentNummers::lvwMaatschappijnaam_ItemClick(ListItem& row)
{
    guarded([&] {
        Clear_Agentnummers();
        cdMij_ = row.key();
        const Maatschappij* mij = nullptr;
        for (int i = 1; (mij = catalogus_->maatschappij(kind(), i)); ++i) {
            if (mij->Cd_Mij == cdMij_)
                break;
        }
        fraAgentnummers.setCaption(mij ? mij->Om_Naam : row.text());
        std::unique_ptr<Recordset> rs = catalogus_->AgentnummerRecordset(cdMij_, kind());
        while (!rs->EOF_()) {
            // The description this page does not show travels with the row, so storing keeps it.
            ListItem& item = lvwAgentnummers.addItem(QUuid::createUuid().toString(QUuid::WithBraces).toUpper(),
                                                     rs->text(u"Agent_Id"_s));
            item.setSubItem(1, QString::number(rs->field(u"Rente"_s).toDouble()));
            item.setTag(rs->text(u"Om_Omschrijving"_s));
            rs->MoveNext();
        }
        rs->Close();
        for (CommandButton* b : {&cmdNieuw, &cmdVerwijderen, &cmdOpslaan})
            b->setEnabled(true);
    });
}

void AgentNummers::lvwAgentnummers_ItemClick(ListItem& row)
{
    guarded([&] { setBoxes(true, row.text(), row.subItem(1)); });
}

void AgentNummers::cmdNieuw_Click()
{
    guarded([this] {
        ListItem& row = lvwAgentnummers.addItem(QUuid::createUuid().toString(QUuid::WithBraces).toUpper(), NewNumber);
        lvwAgentnummers.setSelectedItem(&row);
        setBoxes(true, QString(), QString());
        txtAgentNummer.setFocus();
    });
}

void AgentNummers::cmdVerwijderen_Click()
{
    guarded([this] {
        if (ListItem* row = lvwAgentnummers.selectedItem())
            lvwAgentnummers.removeItem(row->index());
        setBoxes(false, QString(), QString());
    });
}

void AgentNummers::txtAgentNummer_Change()
{
    guarded([this] {
        if (ListItem* row = lvwAgentnummers.selectedItem(); row && !showing_)
            row->setText(txtAgentNummer.text());
    });
}

void AgentNummers::txtRente_Change()
{
    guarded([this] {
        if (ListItem* row = lvwAgentnummers.selectedItem(); row && !showing_)
            row->setSubItem(1, txtRente.text());
    });
}

// The company's numbers of this kind are replaced as a whole, in one
// transaction: numbers of its other kinds stay, and a row that cannot be
// stored leaves everything as it was and is named.
void AgentNummers::cmdOpslaan_Click()
{
    guarded([this] {
        if (cdMij_.isEmpty())
            return;
        struct Statement {
            QString sql;
            QVariantList values;
        };
        std::vector<Statement> statements{
            {u"DELETE FROM tp_info WHERE [Cd_Mij] = ? AND Cd_SoortMij = ?"_s, {cdMij_, kind()}}};
        for (int i = 1; i <= lvwAgentnummers.count(); ++i) {
            ListItem& row = lvwAgentnummers.item(i);
            if (row.text().trimmed().isEmpty() || row.text() == NewNumber) {
                lvwAgentnummers.setSelectedItem(&row);
                setBoxes(true, row.text() == NewNumber ? QString() : row.text(), row.subItem(1));
                failCheck(u"Voer a.u.b. een agentnummer in."_s, Titel(), &txtAgentNummer);
                return;
            }
            const std::optional<float> rente = frmAgentnummer::renteOf(row.subItem(1));
            if (!rente) {
                lvwAgentnummers.setSelectedItem(&row);
                setBoxes(true, row.text(), row.subItem(1));
                failCheck(u"De rente op- of afslag van agentnummer %1 (regel %2) is geen getal.\r\n"
                          "Voer a.u.b. een geldige rente op- of afslag in, bijvoorbeeld 0,25 of -0,1."_s.arg(row.text())
                              .arg(i),
                          Titel(), &txtRente);
                return;
            }
            // A row without a description stores an empty one, not NULL.
            const QString description = row.tag().toString();
            // This page knows no default: every number it writes is an ordinary one, with a
            // key of its own so the company overview can change it later.
            statements.push_back({u"INSERT INTO tp_info (Agent_id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                                  "Om_Omschrijving, GUID) VALUES (?, ?, ?, 0, ?, ?, ?)"_s,
                                  {row.text(), cdMij_, frmAgentnummer::storedRente(*rente), kind(),
                                   description.isNull() ? u""_s : description,
                                   QUuid::createUuid().toString(QUuid::WithBraces).toUpper()}});
        }
        Connection& connection = database_->connection();
        connection.BeginTrans();
        try {
            for (const Statement& statement : statements)
                connection.Execute(statement.sql, statement.values);
            connection.CommitTrans();
        } catch (...) {
            connection.RollbackTrans();
            throw;
        }
        // A valuer's own number is the first of its list.
        if (kind() == SoortMij::Taxateur) {
            catalogus_->SetAgentnummer(cdMij_, kind(), QString());
            catalogus_->SetAgentnummer(cdMij_, kind(),
                                       lvwAgentnummers.count() > 0 ? lvwAgentnummers.item(1).text() : QString());
        }
        Clear_Agentnummers();
        Fill_Maatschappijen();
    });
}

} // namespace tarvelo
