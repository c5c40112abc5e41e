#pragma once

#include "TarveloExport.h"

#include "framework/errors/ErrorReport.h"

#include <QStringList>

namespace tarvelo {

// The per-form trace: which procedures are running, and after an error the
// report that the host shows. A form creates it on first use and keeps it.
class TARVELO_EXPORT ProcedureTrace : public ErrorReport {
public:
    void Enter(const QString& procedureName) { stack_.push_back(procedureName); }
    void Leave()
    {
        if (!stack_.isEmpty())
            stack_.pop_back();
    }
    // An error ends its procedure without Leave; the guard drops the entries
    // of the procedures it ended, so the trace names only running ones.
    int depth() const { return int(stack_.size()); }
    void unwindTo(int depth)
    {
        while (stack_.size() > depth)
            stack_.pop_back();
    }
    const QStringList& running() const { return stack_; }

private:
    QStringList stack_;
};

} // namespace tarvelo
