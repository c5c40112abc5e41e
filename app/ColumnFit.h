#pragma once

#include <QSize>

class QTreeWidget;
class QWidget;

namespace tarvelo {

// The administration dialogs' lists: each shown column as wide as what it
// holds, up to most, and the dialog as wide as those columns need, at least
// least and at most what the screen has room for.
void fitColumnsAndDialog(QWidget& dialog, QTreeWidget& list, int most, QSize least);

} // namespace tarvelo
