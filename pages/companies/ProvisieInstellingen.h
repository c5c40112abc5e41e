#pragma once

#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/UserControl.h"

namespace tarvelo {

// The commission settings of one company: the commission on a sale and the
// ongoing commission, in percent, kept in the office database under the
// company's commission-settings object. Each accepted value is stored at once.
class ProvisieInstellingen final : public UserControl {
public:
    ProvisieInstellingen(Form& form, const QString& name, int index, Control* parent);
    // The company's commission object, under whose name the host creates the
    // control and the settings are kept.
    const QString& Om_Object() const { return object_; }
    void setOm_Object(const QString& object) { object_ = object; }

    // Stores the host application and fills the control, as the sibling library's controls do.
    void SetApplication(Application& application) { setApplication(application); }

    Label& lblAfsluit;
    TextBox& txtAfsluit;
    Label& lblDoorlopend;
    TextBox& txtDoorlopend;

protected:
    void Fill_Control() override;

private:
    void txtAfsluit_Validate(bool& cancel);
    void txtDoorlopend_Validate(bool& cancel);
    bool store(TextBox& box, const char* column);

    QString object_;
};

} // namespace tarvelo
