#pragma once

#include "app/render/ControlView.h"

class QLineEdit;

namespace tarvelo {

class AddressControl;

// The address block: street; postcode, house number and addition; place.
class AddressView final : public ControlView {
public:
    AddressView(FormView& owner, AddressControl& address, QWidget* parent);

private:
    // Read as it is when locked: the model refuses a change, and the view shows the model again.
    bool readOnlyWhenLocked() const override { return true; }
    void syncProperty(Property property) override;
    void showModelState() override { syncProperty(Property::Value); }
    void typed();

    AddressControl& address_;
    QLineEdit* straat_;
    QLineEdit* postcode_;
    QLineEdit* huisnummer_;
    QLineEdit* toevoeging_;
    QLineEdit* plaats_;
};

} // namespace tarvelo
