#pragma once

#include "pages/integrations/KoppelingPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// The link pages that consist of the shared design alone.

class SetupKopElements final : public KoppelingPage {
public:
    SetupKopElements();
};

class SetupKopANVA final : public KoppelingPage {
public:
    SetupKopANVA();
};

class SetupKopNHBond final : public KoppelingPage {
public:
    SetupKopNHBond();
};

// The comparison site's link.
class SetupKopAdvies final : public KoppelingPage {
public:
    static inline const QString Vergelijkingssite = u"Advieskeuze"_s;
    SetupKopAdvies();
};

class SetupKopJulia final : public KoppelingPage {
public:
    SetupKopJulia();
};

class SetupKopVanBruggen final : public KoppelingPage {
public:
    SetupKopVanBruggen();
};

class SetupKopBoxD final : public KoppelingPage {
public:
    SetupKopBoxD();
};

class SetupKopCalcasa final : public KoppelingPage {
public:
    SetupKopCalcasa();
};

class SetupKopPosWon final : public KoppelingPage {
public:
    SetupKopPosWon();
};

} // namespace tarvelo
