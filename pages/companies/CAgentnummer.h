#pragma once

#include <QString>

namespace tarvelo {

// One agent number carried between the company overview and frmAgentnummer:
// the number under which the office is known to a company, its interest
// surcharge (positive) or discount (negative) in percent points, its
// description and whether it is the company's default. The caller stores the
// number only when the dialog changed it.
class CAgentnummer {
public:
    QString GUID;              // key of the tp_info row; "" while not stored
    QString Om_Beschrijving;   // Om_Omschrijving
    QString Om_Agentnummer;    // Agent_Id
    float Pc_Opslag = 0;       // Rente
    bool In_Standaard = false; // In_Default
    bool In_Changed = false;
};

} // namespace tarvelo
