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
// "GetDatabase". The office database's connection and the record operations
// of the later pages are added here as those pages arrive.
class TARVELO_EXPORT Database {
public:
    virtual ~Database() = default;

    // The open connection to the office database on which the pages run their statements.
    virtual tarvelo::Connection& connection() = 0;

    // Stores the office-wide settings object.
    virtual void SaveGlobalSetup(const Settings& globalSetup) = 0;

    // Tries to reach the server database; true with an empty errorText when it
    // works, else false with the server's own message.
    virtual bool TestConnection(const QString& server, QString& errorText, const QString& databaseName) = 0;
    // Re-points the stored document folders of existing advice dossiers from the
    // old root to the new one. The first argument is the host's own text.
    virtual void MoveDossierDocumentFolder(const QString& text, const QString& oldFolder,
                                           const QString& newFolder) = 0;

    // Makes the portfolio tasks that are due by the reminder settings, from the
    // advices with status 'In beheer'; returns how many are new.
    virtual int TakenAanmaken(const Settings& setup) = 0;
    // Marks the tasks done whose event lies longer ago than the completion
    // period of the settings; returns how many.
    virtual int TakenAfhandelen(const Settings& setup) = 0;
    // The number of advices that use the subscription.
    virtual int AantalAdviezenAbonnement(const AbonnementRecord& abonnement) = 0;
    // Makes the advices of the old subscription use the new one, all or none.
    virtual void VervangAbonnement(const AbonnementRecord& oud, const AbonnementRecord& nieuw) = 0;
    // Applies the subscription's changed terms to all existing clients and
    // issued proposals.
    virtual void AbonnementDoorvoeren(const AbonnementRecord& abonnement) = 0;
    // The advisers' own data and access rights, per adviser code.
    virtual void GetAdviseur(AdviseurGegevens& record, const QString& code) = 0;
    virtual void SaveAdviseur(const AdviseurGegevens& record, const QString& code) = 0;
    // Whether another adviser than code already logs in with that name.
    virtual bool GebruikersnaamInGebruik(const QString& code, const QString& naam) = 0;
    virtual void GetAutorisatie(Autorisatie& record, const QString& code) = 0;
    virtual void SaveAutorisatie(const QString& code, const Autorisatie& record) = 0;
    // The number of administrators among the codes, given as 'code1','code2'.
    virtual int AantalAdministrators(const QString& codes) = 0;
    virtual int AantalVestigingen() = 0;
    virtual int AantalAdviseursVestiging(const QString& vestiging) = 0;
    // Clears the branch from every access record that holds it.
    virtual void OntkoppelVestiging(const QString& vestiging) = 0;
    // Tidies the access records after the last branch went.
    virtual void OpschonenVestigingen(int soort) = 0;
    virtual int AantalAdviezen(const QString& code) = 0;
    // Moves every advice of the old adviser to the new one.
    virtual void OmzettenAdviezen(const QString& oudeCode, const QString& nieuweCode) = 0;
    // Removes the adviser's own data and access rights.
    virtual void DeleteAdviseur(const QString& code) = 0;
};

} // namespace tarvelo

Q_DECLARE_METATYPE(tarvelo::Database*)
