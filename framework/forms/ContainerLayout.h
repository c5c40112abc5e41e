#pragma once

#include "TarveloExport.h"

namespace tarvelo {

class Control;

// How a frame or form arranges what it holds, kept after it was declared so
// that it can be applied again: when the container's width changes, when a
// control in it is shown or hidden, or when a wrapped text changes.
class TARVELO_EXPORT ContainerLayout {
public:
    virtual ~ContainerLayout() = default;

    virtual Control& container() const = 0;
    // Arranges the contents for the container's total width in twips (never
    // narrower than the minimum); gives the container its width and height
    // and returns the height.
    virtual int apply(int width) = 0;
    // The narrowest total width at which nothing is cut off.
    virtual int minimumWidth() const = 0;
    // The control leaves the form: the layout no longer places it.
    virtual void forget(const Control& control) = 0;
};

} // namespace tarvelo
