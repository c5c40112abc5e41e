#include "framework/util/TextBoxRoutines.h"

#include "framework/forms/TextBox.h"

namespace tarvelo {

void SelectAllText(Control& control)
{
    if (auto* box = dynamic_cast<TextBox*>(&control))
        box->setSelection(0, int(box->text().size()));
}

} // namespace tarvelo
