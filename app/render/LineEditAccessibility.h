#pragma once

class QLineEdit;

namespace tarvelo {

// A text box's line edit as a screen reader reads it. Qt's own accessible
// line edit says "editable" also while the box is read-only, so a locked
// field would be announced as one the user can type in; this one says
// read-only then and offers no editable text, and is otherwise what Qt's
// offers: the value, the cursor, the selection and the characters' places.
// Marks edit for it; call before anything asks for its accessible interface.
void readOnlyAwareAccessibility(QLineEdit& edit);

} // namespace tarvelo
