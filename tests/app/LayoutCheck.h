#pragma once

#include <QString>
#include <QStringList>

class QScrollArea;
class QWidget;

namespace tarvelo::testing {

// Looks at a drawn form as a careful user would and lists what is wrong with
// its layout, each fault naming the form, the control and what is wrong: a
// caption or text wider than its control, visible sibling controls that
// overlap, a visible control outside its parent, a list column narrower than
// its header, an empty band of more than one row inside a frame.
//
// Also, everywhere: a label more than one pixel off its field's baseline, and
// a list narrower than its frame by more than the frame's margins.
QStringList layoutFaults(const QWidget& form, const QString& formName);

// What only a page must: one field column down the page, in every frame.
QStringList pageLayoutFaults(const QWidget& page, const QString& pageName);

// A page shown in a scroll area that has to scroll sideways, naming the
// control that reaches furthest past the pane.
QStringList sidewaysFaults(const QScrollArea& pane, const QWidget& page, const QString& pageName);

} // namespace tarvelo::testing
