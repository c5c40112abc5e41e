#pragma once

#include "framework/forms/Colour.h"

#include <QStringList>
#include <vector>

namespace tarvelo {

class Control;
class Form;

// Scales a form laid out at 15 twips per pixel (96 DPI) to a screen with
// twipsX/twipsY twips per pixel, so that pixel sizes stay as designed. The
// form's border keeps its size; controls named in keepSizeNames are moved but
// not resized. Nothing changes at 15 x 15.
void ScaleForDpi(Form& container, const std::vector<Control*>& controls, const QStringList& keepSizeNames, int twipsX,
                 int twipsY);

// Gives every control whose background is oldColour the new colour, except
// those named in exceptNames; controls without a background are skipped.
void SetControlsBackColor(const std::vector<Control*>& controls, Colour newColour, const QStringList& exceptNames,
                          Colour oldColour = 0x8000000F);

} // namespace tarvelo
