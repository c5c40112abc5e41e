#pragma once

#include "host/office/OfficeDatabase.h"

#include <QString>

namespace tarvelo::testing {

// Lenders beyond the demo office's own, each with two agent numbers and the
// office's stored settings, as a large office has them. For the statement
// budget and the benchmark on a delayed server.
inline void addLenders(OfficeDatabase& db, int count)
{
    using namespace Qt::StringLiterals;
    db.transaction([&] {
        for (int i = 0; i < count; ++i) {
            const QString code = u"B%1"_s.arg(i, 4, 10, QLatin1Char('0'));
            db.exec(u"INSERT INTO Tbl_Mij_Info (Cd_Mij, Om_NaamKort, Om_Naam, Nr_HDN) VALUES (?, ?, ?, ?)"_s,
                    {code, code, u"Budgetbank %1"_s.arg(code), u"40%1"_s.arg(i)});
            for (int n = 0; n < 2; ++n)
                db.exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, Om_Omschrijving, "
                        "GUID) VALUES (?, ?, 0, ?, 1, '', ?)"_s,
                        {u"%1-%2"_s.arg(code).arg(n), code, n == 0 ? -1 : 0, u"{%1-%2}"_s.arg(code).arg(n)});
            db.exec(u"INSERT INTO Tbl_Mij_Instellingen (Cd_Mij, Cd_SoortMij, Om_Ontvanger, In_Geselecteerd, "
                    "Cd_Retour) VALUES (?, 1, '', -1, 1)"_s,
                    {code});
        }
    });
}

} // namespace tarvelo::testing
