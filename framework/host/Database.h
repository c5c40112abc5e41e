#pragma once

#include "TarveloExport.h"

#include "framework/host/AdviserRecords.h"

#include <QMetaType>
#include <QString>

namespace tarvelo {

class Connection;
class Settings;
struct AbonnementRecord;

// The host's database object, reached through Application::RunFunction with
// "GetDatabase". A host writes the connection and the office-wide save; every
// other call has a default. What the office database's own tables hold (the
// advisers' data and rights, the advices' adviser, subscription and dossier
// folder) is read, counted, stored and removed through the connection, each
// write in one transaction, input the tables cannot take refused in Dutch with
// nothing written. Without a server, the host's own date or branches, there
// is no server to test and there are no tasks or branches. A host that keeps
// these records elsewhere overrides the calls that reach them.
class TARVELO_EXPORT Database {
public:
    virtual ~Database() = default;

    // The open connection to the office database on which the pages run their statements.
    virtual tarvelo::Connection& connection() = 0;

    // Stores the office-wide settings object.
    virtual void SaveGlobalSetup(const Settings& globalSetup) = 0;

    // Tries to reach the server database; true with an empty errorText when it
    // works, else false with the server's own message. By default the host
    // works with no server: false, and errorText says so.
    virtual bool TestConnection(const QString& server, QString& errorText, const QString& databaseName);
    // Re-points the stored document folders of existing advice dossiers from the
    // old root to the new one. The first argument is the host's own text.
    virtual void MoveDossierDocumentFolder(const QString& text, const QString& oldFolder, const QString& newFolder);

    // Makes the portfolio tasks that are due by the reminder settings, from the
    // advices with status 'In beheer'; returns how many are new.
    virtual int TakenAanmaken(const Settings& setup);
    // Marks the tasks done whose event lies longer ago than the completion
    // period of the settings; returns how many.
    virtual int TakenAfhandelen(const Settings& setup);
    // The number of advices that use the subscription.
    virtual int AantalAdviezenAbonnement(const AbonnementRecord& abonnement);
    // Makes the advices of the old subscription use the new one, all or none.
    virtual void VervangAbonnement(const AbonnementRecord& oud, const AbonnementRecord& nieuw);
    // Applies the subscription's changed terms to all existing clients and
    // issued proposals.
    virtual void AbonnementDoorvoeren(const AbonnementRecord& abonnement);
    // The advisers' own data and access rights, per adviser code; an adviser
    // without them reads as an empty record.
    virtual void GetAdviseur(AdviseurGegevens& record, const QString& code);
    virtual void SaveAdviseur(const AdviseurGegevens& record, const QString& code);
    // Whether another adviser than code already logs in with that name.
    virtual bool GebruikersnaamInGebruik(const QString& code, const QString& naam);
    virtual void GetAutorisatie(Autorisatie& record, const QString& code);
    virtual void SaveAutorisatie(const QString& code, const Autorisatie& record);
    // The number of administrators among the codes, given as 'code1','code2'.
    virtual int AantalAdministrators(const QString& codes);
    // The office's branches are the host's to keep: none by default.
    virtual int AantalVestigingen();
    virtual int AantalAdviseursVestiging(const QString& vestiging);
    // Clears the branch from every access record that holds it.
    virtual void OntkoppelVestiging(const QString& vestiging);
    // Tidies the access records after the last branch went.
    virtual void OpschonenVestigingen(int soort);
    virtual int AantalAdviezen(const QString& code);
    // Moves every advice of the old adviser to the new one.
    virtual void OmzettenAdviezen(const QString& oudeCode, const QString& nieuweCode);
    // Removes the adviser's own data and access rights.
    virtual void DeleteAdviseur(const QString& code);

protected:
    // Room for calls a later version adds without a new virtual in the middle
    // of the table: the library calls it with an id of its own (see
    // Application::virtual_hook), and a host that does not know the id leaves
    // it to this default, which does nothing.
    virtual void virtual_hook(int id, void* data);
};

} // namespace tarvelo

Q_DECLARE_METATYPE(tarvelo::Database*)
