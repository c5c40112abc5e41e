#include "framework/util/TextFitting.h"

#include "framework/forms/Font.h"
#include "framework/ui/Ui.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString FitTextToWidth(const Ui& ui, const Font& font, const QString& text, int maxWidth, bool bold)
{
    Font measured = font;
    measured.bold = bold;
    try {
        if (ui.textWidth(text, measured) <= maxWidth)
            return text;
        const QString ellipsis = u"..."_s;
        const int ellipsisWidth = ui.textWidth(ellipsis, measured);
        QString rest = text;
        while (!rest.isEmpty()) {
            rest.chop(1);
            if (ui.textWidth(rest, measured) + ellipsisWidth <= maxWidth)
                break;
        }
        return rest + ellipsis;
    } catch (const std::exception&) {
        return text;
    }
}

} // namespace tarvelo
