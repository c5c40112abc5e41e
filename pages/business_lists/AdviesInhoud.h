#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/UserControl.h"

#include <vector>

namespace tarvelo {

class Settings;

// The advice-content control: lists the advice subjects with a check box each
// and keeps which of them an advice leaves out in the settings object itself.
class AdviesInhoud final : public UserControl {
public:
    AdviesInhoud(Form& form, const QString& name, int index, Control* parent);

    static const QStringList& Onderwerpen();
    static constexpr int DesignWidth = 7440;
    static constexpr int DesignHeight = 2235;

    // The settings object that keeps the selection, by reference.
    void setSetup(Settings& setup) { setup_ = &setup; }
    CheckBox& chkOnderwerp(int index) const { return *boxes_.at(std::size_t(index)); }

protected:
    void Fill_Control() override;

private:
    void chkOnderwerp_Click();

    Settings* setup_ = nullptr;
    std::vector<CheckBox*> boxes_;
    bool filling_ = false;
};

} // namespace tarvelo
