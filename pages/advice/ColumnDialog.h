#pragma once

#include "framework/forms/Dialog.h"
#include "framework/forms/ListBox.h"

#include <initializer_list>

namespace tarvelo {

class Settings;

// One column of a printed overview: its name and its bit in the overview's column set.
struct OverviewColumn {
    const char* name;
    qint32 bit;
};

// What the two column dialogs share: the settings object the caller hands
// them, and lists of columns stored as bit sets.
class ColumnDialog : public Dialog {
public:
    using Dialog::Dialog;

    void setSetup(Settings& setup) { setup_ = &setup; }

protected:
    // The settings object; when the caller did not hand it, the caller is told
    // (a programming fault, shown as the debug message) and null is returned.
    Settings* setupOrTell();

    // The columns in list order, each carrying its bit as item data.
    static void fillColumns(ListBox& list, std::initializer_list<OverviewColumn> columns);
    // Selects exactly the columns whose bit is set.
    static void selectColumns(ListBox& list, qint32 bits);
    static qint32 selectedBits(const ListBox& list);

private:
    Settings* setup_ = nullptr;
};

} // namespace tarvelo
