#include "framework/page/DpiScaling.h"

#include "framework/forms/Form.h"
#include "framework/forms/Line.h"
#include "framework/forms/UserControl.h"

#include <cmath>

namespace tarvelo {

namespace {
int scaled(int twips, int twipsPerPixel) { return int(std::lround(double(twips) * twipsPerPixel / 15.0)); }

void scaleControls(Form& container, const std::vector<Control*>& controls, const QStringList& keepSizeNames, int twipsX,
                   int twipsY)
{
    for (Control* c : controls) {
        if (c == &container)
            continue;
        const bool keepSize = keepSizeNames.contains(c->name(), Qt::CaseInsensitive);
        if (c->kind() == ControlKind::Line) {
            auto* line = static_cast<Line*>(c);
            line->setPoints(scaled(line->x1(), twipsX), scaled(line->y1(), twipsY), scaled(line->x2(), twipsX),
                            scaled(line->y2(), twipsY));
        } else {
            c->setBounds(scaled(c->left(), twipsX), scaled(c->top(), twipsY),
                         keepSize ? c->width() : scaled(c->width(), twipsX),
                         keepSize ? c->height() : scaled(c->height(), twipsY));
        }
        c->setFontSize(c->font().size * twipsX / 15.0);
        // A user control's own controls are laid out at the design resolution
        // too; its inner form follows the control's scaled bounds.
        if (auto* user = dynamic_cast<UserControl*>(c))
            scaleControls(user->inner(), user->inner().controls(), {}, twipsX, twipsY);
    }
}
} // namespace

void ScaleForDpi(Form& container, const std::vector<Control*>& controls, const QStringList& keepSizeNames, int twipsX,
                 int twipsY)
{
    if (twipsX == 15 && twipsY == 15)
        return;

    // Controls first: the container's resize handler may lay them out again.
    scaleControls(container, controls, keepSizeNames, twipsX, twipsY);

    const int inner = container.innerHeight();
    container.setBounds(container.left(), container.top(), scaled(container.width(), twipsX),
                        (container.height() - inner) + scaled(inner, twipsY));
}

void SetControlsBackColor(const std::vector<Control*>& controls, Colour newColour, const QStringList& exceptNames,
                          Colour oldColour)
{
    for (Control* c : controls) {
        if (!c->hasBackColor() || exceptNames.contains(c->name(), Qt::CaseInsensitive))
            continue;
        if (c->backColor() == oldColour)
            c->setBackColor(newColour);
    }
}

} // namespace tarvelo
