#include "framework/host/Database.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// A record the host does not keep is not stored, and the page says so.
[[noreturn]] void notKept(const QString& what)
{
    throw RuntimeError(ErrorNumber::ApplicationDefined,
                       u"Dit programma bewaart geen %1; er is niets opgeslagen."_s.arg(what), u"Database"_s);
}

} // namespace

bool Database::TestConnection(const QString&, QString& errorText, const QString&)
{
    errorText = u"Dit programma werkt niet met een databaseserver."_s;
    return false;
}

// Without dossiers of its own the host has no folders to move.
void Database::MoveDossierDocumentFolder(const QString&, const QString&, const QString&) {}

// Without advices there are no tasks to make or close, and no advice uses a
// subscription.
int Database::TakenAanmaken(const Settings&) { return 0; }
int Database::TakenAfhandelen(const Settings&) { return 0; }
int Database::AantalAdviezenAbonnement(const AbonnementRecord&) { return 0; }
void Database::VervangAbonnement(const AbonnementRecord&, const AbonnementRecord&) {}
void Database::AbonnementDoorvoeren(const AbonnementRecord&) {}

void Database::GetAdviseur(AdviseurGegevens& record, const QString&) { record = AdviseurGegevens(); }
void Database::SaveAdviseur(const AdviseurGegevens&, const QString&) { notKept(u"gegevens van adviseurs"_s); }
bool Database::GebruikersnaamInGebruik(const QString&, const QString&) { return false; }
void Database::GetAutorisatie(Autorisatie& record, const QString&) { record = Autorisatie(); }
void Database::SaveAutorisatie(const QString&, const Autorisatie&) { notKept(u"rechten van adviseurs"_s); }
int Database::AantalAdministrators(const QString&) { return 0; }
int Database::AantalVestigingen() { return 0; }
int Database::AantalAdviseursVestiging(const QString&) { return 0; }
void Database::OntkoppelVestiging(const QString&) {}
void Database::OpschonenVestigingen(int) {}
int Database::AantalAdviezen(const QString&) { return 0; }
void Database::OmzettenAdviezen(const QString&, const QString&) {}
void Database::DeleteAdviseur(const QString&) {}

void Database::virtual_hook(int, void*) {}

} // namespace tarvelo
