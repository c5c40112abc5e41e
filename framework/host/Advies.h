#pragma once

#include "TarveloExport.h"

#include <QString>
#include <optional>

namespace tarvelo {

// One loan part of an advice as the host keeps it: its lender and the lender's
// arrangement chosen for it.
struct TARVELO_EXPORT Lening {
    QString AdviesID;
    int Index = 0; // the loan part's number within the advice, from 1
    QString Omschrijving;
    QString Cd_Mij;
    QString Cd_Product; // empty while no arrangement is chosen
};

// The advice the user has open, as far as the pages ask for it.
class TARVELO_EXPORT Advies {
public:
    virtual ~Advies() = default;

    virtual QString ID() const = 0;
    // The loan part with that index, from 1; none past the last.
    virtual std::optional<Lening> Leningdeel(int index) const = 0;
    // Stores the loan part's arrangement. Throws RuntimeError when the loan
    // part is no longer in the advice: nothing was stored then.
    virtual void SaveLening(const Lening& lening) = 0;
};

} // namespace tarvelo
