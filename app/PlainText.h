#pragma once

#include <QString>

namespace tarvelo {

// A stored value in a list of the window: control characters and the marks
// that reverse the direction of text shown escaped ("\x1B", "\u202E"), as the
// command line shows them, so that a value cannot hide or disguise itself.
QString listedValue(const QString& value);
// A tooltip that shows its text as written: a value that looks like markup
// ("<b>", "<img src=...>") is not drawn as rich text.
QString plainToolTip(const QString& text);

} // namespace tarvelo
