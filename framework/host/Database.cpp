#include "framework/host/Database.h"

#include "framework/host/AdviserTables.h"
#include "framework/host/Connection.h"
#include "framework/host/OfficeTransaction.h"
#include "framework/host/SubscriptionUse.h"
#include "framework/settings/AbonnementSettings.h"

#include <QDir>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

bool Database::TestConnection(const QString&, QString& errorText, const QString&)
{
    errorText = u"Dit programma werkt niet met een databaseserver."_s;
    return false;
}

// The advice dossiers keep their document folders in the office database:
// only folders inside the old root move, "/a/b" does not take "/a/bc" along.
void Database::MoveDossierDocumentFolder(const QString&, const QString& oldFolder, const QString& newFolder)
{
    const QString oldRoot = QDir::cleanPath(oldFolder);
    const QString newRoot = QDir::cleanPath(newFolder);
    if (oldRoot.isEmpty() || newRoot.isEmpty() || oldRoot == newRoot)
        return;
    Connection& office = connection();
    inOneTransaction(office, [&] {
        std::vector<std::pair<QString, QString>> moves;
        const std::unique_ptr<Recordset> dossiers =
            office.OpenRecordset(u"SELECT ID, DocumentenMap FROM Adviesdossier"_s);
        for (; !dossiers->EOF_(); dossiers->MoveNext()) {
            const QString folder = QDir::cleanPath(dossiers->text(u"DocumentenMap"_s));
            if (folder == oldRoot)
                moves.emplace_back(dossiers->text(u"ID"_s), newRoot);
            else if (folder.startsWith(oldRoot + QLatin1Char('/')))
                moves.emplace_back(dossiers->text(u"ID"_s), newRoot + folder.mid(oldRoot.size()));
        }
        for (const auto& [id, folder] : moves)
            office.Execute(u"UPDATE Adviesdossier SET DocumentenMap = ? WHERE ID = ?"_s, {folder, id});
    });
}

// The portfolio tasks need the host's own date and reminders: without them
// there are none to make or close.
int Database::TakenAanmaken(const Settings&) { return 0; }
int Database::TakenAfhandelen(const Settings&) { return 0; }

// The advices keep their subscription and its terms in the office database.
int Database::AantalAdviezenAbonnement(const AbonnementRecord& abonnement)
{
    return SubscriptionUse::adviceCount(connection(), abonnement.ID);
}
void Database::VervangAbonnement(const AbonnementRecord& oud, const AbonnementRecord& nieuw)
{
    SubscriptionUse::replace(connection(), oud, nieuw);
}
void Database::AbonnementDoorvoeren(const AbonnementRecord& abonnement)
{
    SubscriptionUse::apply(connection(), abonnement);
}

// The advisers' own data and rights are the office database's own tables,
// read and written through the host's connection.
void Database::GetAdviseur(AdviseurGegevens& record, const QString& code)
{
    record = AdviserTables::readGegevens(connection(), code);
}
void Database::SaveAdviseur(const AdviseurGegevens& record, const QString& code)
{
    AdviserTables::saveGegevens(connection(), code, record);
}
bool Database::GebruikersnaamInGebruik(const QString& code, const QString& naam)
{
    return AdviserTables::gebruikersnaamInGebruik(connection(), code, naam);
}
void Database::GetAutorisatie(Autorisatie& record, const QString& code)
{
    record = AdviserTables::readRechten(connection(), code);
}
void Database::SaveAutorisatie(const QString& code, const Autorisatie& record)
{
    AdviserTables::saveRechten(connection(), code, record);
}
int Database::AantalAdministrators(const QString& codes)
{
    return AdviserTables::aantalAdministrators(connection(), codes);
}
// The office's branches are the host's to keep (the reference host keeps
// them in the settings); without them there are none.
int Database::AantalVestigingen() { return 0; }
int Database::AantalAdviseursVestiging(const QString& vestiging)
{
    return AdviserTables::aantalAdviseursVestiging(connection(), vestiging);
}
void Database::OntkoppelVestiging(const QString& vestiging)
{
    AdviserTables::ontkoppelVestiging(connection(), vestiging);
}
void Database::OpschonenVestigingen(int) { AdviserTables::opschonenVestigingen(connection()); }
int Database::AantalAdviezen(const QString& code) { return AdviserTables::aantalAdviezen(connection(), code); }
void Database::OmzettenAdviezen(const QString& oudeCode, const QString& nieuweCode)
{
    AdviserTables::omzettenAdviezen(connection(), oudeCode, nieuweCode);
}
void Database::DeleteAdviseur(const QString& code) { AdviserTables::deleteAdviseur(connection(), code); }

void Database::virtual_hook(int, void*) {}

} // namespace tarvelo
