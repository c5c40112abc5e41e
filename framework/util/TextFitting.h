#pragma once

#include <QString>

namespace tarvelo {

struct Font;
class Ui;

// The text, cut from its end and followed by "..." when it is wider than
// maxWidth twips in font (bold or not as asked); a text that fits comes back
// unchanged, and so does any text that cannot be measured.
QString FitTextToWidth(const Ui& ui, const Font& font, const QString& text, int maxWidth, bool bold);

} // namespace tarvelo
