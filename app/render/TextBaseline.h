#pragma once

class QLabel;
class QSize;
class QWidget;

namespace tarvelo {

// Where a one-line field draws its text's baseline, from its top, when it is
// size large: a line edit's and a combo box's as their style places the text.
// -1 for widgets whose text line is not known.
int fieldTextBaseline(const QWidget& field, const QSize& size);

// Where a label draws the baseline of its first line, from its top.
int labelTextBaseline(const QLabel& label);

} // namespace tarvelo
