#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Label.h"

namespace tarvelo {

class Bindings;
class RowLayout;
class SettingsPage;

// The update rows shared by the "Algemeen" and "Tarvelo Update" pages: whether
// updates are downloaded without asking, and how often the program looks for
// them.
class UpdateFields {
public:
    // Adds the controls to container and binds them to the update settings.
    UpdateFields(SettingsPage& page, Bindings& bindings, Control& container);

    // One row for the check box, one for the interval.
    void layout(RowLayout& rows);

    CheckBox& chkAutoDownload;
    Label& lblUpdate;
    ComboBox& cboUpdateTermijn;

private:
    void planNextUpdate();

    SettingsPage& page_;
};

} // namespace tarvelo
