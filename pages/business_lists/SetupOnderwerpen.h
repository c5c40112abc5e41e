#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/YesNo.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

class AdviesInhoud;

// "Adviesonderwerpen en tabbladen": narrows down which advice subjects and
// which product tabs an advice offers. The subjects are kept by the embedded
// advice-content control; this page switches the restrictions and keeps the tabs.
class SetupOnderwerpen final : public SettingsPage {
public:
    SetupOnderwerpen();
    QString Titel() const override { return u"Adviesonderwerpen en tabbladen"_s; }
    bool hasValidation() const override { return true; }

    // The bit of each of chkTabblad(0..13).
    static const std::array<qint32, 14> TabbladBits;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen Adviesonderwerpen en tabbladen"_s; }

private:
    void Fill_Tabbladen();
    void Init_AdviesInhoud();
    void Show_SubFrames();
    void jnOnderwerpenBeperken_Change();
    void chkAdviesonderwerpen_Click();
    void chkTabbladen_Click();
    void chkTabblad_Click(int index);

    YesNo& jnOnderwerpenBeperken;
    CheckBox& chkAdviesonderwerpen;
    CheckBox& chkTabbladen;
    Frame& fraAdviesonderwerpenBeperken;
    Frame& fraHintAdviesonderwerpen;
    Frame& fraAdviesInhoud;
    Frame& fraTabbladenBeperken;
    Frame& fraHintTabbladen;
    Frame& fraTabbladen;
    std::array<CheckBox*, 14> chkTabblad{};
    AdviesInhoud* adviesInhoud_ = nullptr;
};

} // namespace tarvelo
