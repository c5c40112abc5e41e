#pragma once

#include "framework/host/AdviserRecords.h"

#include <QString>

namespace tarvelo {

class Connection;
class Recordset;

// The advisers' own data and rights in the office database's own tables
// (AdviseurGegevens, Autorisatie, and the advices' adviser in Adviesdossier),
// through the connection a host gives: what the Database calls do when a host
// leaves them to the library, and what the reference host does too. Each
// write is one transaction; input the tables cannot take is refused in Dutch
// before anything is written.
namespace AdviserTables {

// Every adviser's own data, and every adviser's rights: a row per adviser,
// with its Code, read into a record by gegevens and rechten.
const QString& gegevensRead();
const QString& rechtenRead();
AdviseurGegevens gegevens(const Recordset& row);
Autorisatie rechten(const Recordset& row);

// One adviser's records; empty when the adviser has none.
AdviseurGegevens readGegevens(Connection& connection, const QString& code);
Autorisatie readRechten(Connection& connection, const QString& code);
// Replace what is stored for the adviser.
void saveGegevens(Connection& connection, const QString& code, const AdviseurGegevens& record);
void saveRechten(Connection& connection, const QString& code, const Autorisatie& record);
// Whether another adviser than code logs in with that name (case and
// surrounding spaces do not count).
bool gebruikersnaamInGebruik(Connection& connection, const QString& code, const QString& naam);
// The number of administrators among the codes, given as 'code1','code2'.
int aantalAdministrators(Connection& connection, const QString& codes);
int aantalAdviseursVestiging(Connection& connection, const QString& vestiging);
void ontkoppelVestiging(Connection& connection, const QString& vestiging);
// Clears the branch of every access record.
void opschonenVestigingen(Connection& connection);
int aantalAdviezen(Connection& connection, const QString& code);
void omzettenAdviezen(Connection& connection, const QString& oudeCode, const QString& nieuweCode);
void deleteAdviseur(Connection& connection, const QString& code);

} // namespace AdviserTables

} // namespace tarvelo
