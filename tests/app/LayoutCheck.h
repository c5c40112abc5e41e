#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvelo::testing {

// Looks at a drawn form as a careful user would and lists what is wrong with
// its layout, each fault naming the form, the control and what is wrong: a
// caption or text wider than its control, visible sibling controls that
// overlap, a visible control outside its parent, a list column narrower than
// its header, an empty band of more than one row inside a frame.
QStringList layoutFaults(const QWidget& form, const QString& formName);

} // namespace tarvelo::testing
