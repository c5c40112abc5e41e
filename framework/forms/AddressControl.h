#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

namespace tarvelo {

struct TARVELO_EXPORT Address {
    QString straat;
    QString huisnummer;
    QString toevoeging;
    QString postcode;
    QString plaats;

    bool operator==(const Address&) const = default;
};

// The address block of a dialog: street, house number, addition, postcode and
// place, with a check that returns the message to show (empty when valid).
class TARVELO_EXPORT AddressControl : public Control {
public:
    AddressControl(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::Address, name, index, parent)
    {
        setBounds(0, 0, 5535, 1155);
    }

    const Address& address() const { return address_; }
    void setAddress(const Address& address);

    // A Dutch postcode is written "1234 AB"; other text is left as typed.
    static QString normalisedPostcode(const QString& text);
    QString Check() const;

    Event<> Change;
    bool type(const Address& address);

private:
    Address address_;
};

} // namespace tarvelo
