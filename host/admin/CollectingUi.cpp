#include "host/admin/CollectingUi.h"

#include "framework/forms/Font.h"

namespace tarvelo {

MsgResult CollectingUi::messageBox(const MessageBoxRequest& request)
{
    messages_.push_back(request);
    switch (request.buttons) {
    case MsgButtons::OK: return MsgResult::OK;
    case MsgButtons::YesNo: return MsgResult::No;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    default: return MsgResult::Cancel;
    }
}

int CollectingUi::textWidth(const QString& text, const Font& font) const
{
    if (measuring_ == Measuring::AsTheScreen)
        return screen_.textWidth(text, font);
    // A little over half the point size per character, in twips.
    return int(text.size() * font.size * 12);
}

} // namespace tarvelo
