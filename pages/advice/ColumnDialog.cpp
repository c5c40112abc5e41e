#include "pages/advice/ColumnDialog.h"

#include "framework/ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

Settings* ColumnDialog::setupOrTell()
{
    if (!setup_)
        ui().msgBox(u"Set eerst de property Application en/of Setup."_s, MsgButtons::OK, MsgIcon::Exclamation,
                    u"Debugmelding"_s);
    return setup_;
}

void ColumnDialog::fillColumns(ListBox& list, std::initializer_list<OverviewColumn> columns)
{
    list.clear();
    for (const OverviewColumn& column : columns)
        list.addItemWithData(QString::fromUtf8(column.name), column.bit);
}

void ColumnDialog::selectColumns(ListBox& list, qint32 bits)
{
    for (int i = 0; i < list.listCount(); ++i)
        list.setSelected(i, (bits & list.itemData(i)) != 0);
}

qint32 ColumnDialog::selectedBits(const ListBox& list)
{
    qint32 bits = 0;
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.selected(i))
            bits |= list.itemData(i);
    }
    return bits;
}

} // namespace tarvelo
