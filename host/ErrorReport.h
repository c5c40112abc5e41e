#pragma once

#include <QString>

namespace tarvelo {

// One error the host was asked to report, as the trace held it.
struct ErrorReport {
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
    // True for an error that escaped a control's unguarded handler.
    bool fromControl = false;
};

} // namespace tarvelo
