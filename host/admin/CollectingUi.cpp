#include "host/admin/CollectingUi.h"

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

} // namespace tarvelo
