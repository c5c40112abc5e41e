#pragma once

#include "TarveloExport.h"

#include <QString>

namespace tarvelo {

// What the host is given to report one error: the fields of a filled trace.
struct TARVELO_EXPORT ErrorReport {
    QString ProcedureName;
    int ErrorKind = 0;
    QString ApplicationTitle;
    QString ComponentName;
    QString ProductName;
    QString Context;
    QString Message;
    QString ErrorNumber;
    QString ErrorDescription;
    QString ErrorSource;
    // True for an error that escaped a control's unguarded handler; the host
    // then has no procedure or context to name.
    bool fromControl = false;
};

} // namespace tarvelo
