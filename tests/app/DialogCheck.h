#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvelo::testing {

// What a user reads and presses in a drawn dialog or page, checked the way
// LayoutCheck checks the layout. Each fault names the dialog and the control.
namespace DialogCheck {

// Text that does not read: any shown label, button, box or field whose text
// colour reaches less than 4.5:1 against what it is drawn on, enabled or
// disabled (a disabled text must look disabled, not vanish).
QStringList textContrastFaults(const QString& name, const QWidget& root);

// A default button that stores or removes: Enter, pressed anywhere in the
// dialog, would change what the user has not confirmed. A button stores or
// removes when its caption says so (opslaan, verwijderen, terugdraaien,
// toepassen, overschrijven, uitvoeren) or it is named in storing. The dialog
// must have been shown, so that Qt has chosen its default.
QStringList storingDefaultFaults(const QString& name, const QWidget& dialog, const QStringList& storing = {});

} // namespace DialogCheck

} // namespace tarvelo::testing
