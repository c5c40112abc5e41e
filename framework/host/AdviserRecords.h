#pragma once

#include "TarveloExport.h"

#include <QString>

namespace tarvelo {

// An adviser's own contact data and login name, kept in the office database.
struct TARVELO_EXPORT AdviseurGegevens {
    QString Email;
    QString Internet;
    QString Telefoon;
    QString Telefax;
    QString Gebruikersnaam;
    QString AFMRegistratieNr;
};

// An adviser's access rights. A Rol of 0 has not been set up yet.
struct TARVELO_EXPORT Autorisatie {
    // 1 "Administrator", 2 "Gebruiker"
    qint16 Rol = 0;
    // 1 "Zichzelf", 2 "Eigen vestiging", 3 "Iedereen"
    qint16 AdviezenOpenen = 0;
    // 2 "Alleen leesrechten", 3 "Lees- en schrijfrechten"
    qint16 AdviezenRechten = 0;
    // The branch's 36-character identifier; empty when none.
    QString Vestiging;
    QString Wachtwoord;
};

} // namespace tarvelo
