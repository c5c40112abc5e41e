#pragma once

#include "pages/integrations/KoppelingPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Koppeling Rolls": the link works only with the Rolls software on the same
// computer, which the page looks for by creating its component.
class SetupKopRolls final : public KoppelingPage {
public:
    // The Rolls software's own component.
    static inline const QString RollsComponent = u"kscomkpp.crckRollsComKoppeling"_s;

    SetupKopRolls();

protected:
    void Fill() override;

private:
    bool rollsInstalled();

    Hint& hntRollsBeschikbaar;
};

} // namespace tarvelo
