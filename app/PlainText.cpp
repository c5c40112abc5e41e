#include "app/PlainText.h"

#include "host/admin/AdminCommands.h"

#include <QTextDocument>

namespace tarvelo {

QString listedValue(const QString& value) { return AdminCommands::escapedControls(value, false); }

QString plainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

} // namespace tarvelo
