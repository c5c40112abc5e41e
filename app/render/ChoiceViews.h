#pragma once

#include "app/render/ControlView.h"

class QCheckBox;
class QRadioButton;

namespace tarvelo {

class CheckBox;
class OptionButton;
class YesNo;

class CheckBoxView final : public ControlView {
public:
    CheckBoxView(FormView& owner, CheckBox& box, QWidget* parent);

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncProperty(Property::Value); }
    CheckBox& box_;
    QCheckBox* check_;
};

// Option buttons are exclusive per container in the model; the widgets leave
// that rule to the model so that the page's order of events holds.
class OptionButtonView final : public ControlView {
public:
    OptionButtonView(FormView& owner, OptionButton& option, QWidget* parent);

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncProperty(Property::Value); }
    OptionButton& option_;
    QRadioButton* radio_;
};

// The two-choice selector: "Ja" and "Nee" side by side.
class YesNoView final : public ControlView {
public:
    YesNoView(FormView& owner, YesNo& yesNo, QWidget* parent);

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncProperty(Property::Value); }
    YesNo& yesNo_;
    QRadioButton* ja_;
    QRadioButton* nee_;
};

} // namespace tarvelo
