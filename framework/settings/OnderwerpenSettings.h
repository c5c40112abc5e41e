#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// How far the office narrows down what an advice offers: its subjects and the
// product tabs under 'Huidige situatie' and 'Voorstel'.
struct TARVELO_EXPORT OnderwerpenSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> OnderwerpenBeperken{this, "OnderwerpenBeperken", false,
                                      Shown{u"Onderwerpen beperken"_s, u"SetupOnderwerpen"_s}};
    Setting<bool> AdviesonderwerpenBeperken{this, "AdviesonderwerpenBeperken", false,
                                            Shown{u"Adviesonderwerpen beperken"_s, u"SetupOnderwerpen"_s}};
    Setting<bool> TabbladenBeperken{this, "TabbladenBeperken", false,
                                    Shown{u"Tabbladen beperken"_s, u"SetupOnderwerpen"_s}};
    // The tabs that stay visible, one bit each; every tab is 32767.
    Setting<qint32> Tabbladen{this, "Tabbladen", AlleTabbladen, Shown{u"Tabbladen"_s, u"SetupOnderwerpen"_s}};
    // The advice subjects left out of an advice, by name, separated by "|";
    // kept by the advice-content control.
    Setting<QString> UitgeslotenAdviesonderwerpen{this, "UitgeslotenAdviesonderwerpen", QString(),
                                                  Shown{u"Uitgesloten adviesonderwerpen"_s, u"SetupOnderwerpen"_s}};

    static constexpr qint32 AlleTabbladen = 32767;
};

} // namespace tarvelo
