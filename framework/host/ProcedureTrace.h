#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

// The per-page trace: which procedures are running, and after an error the
// report that the host shows. A page creates it on first use and keeps it.
class ProcedureTrace {
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

private:
    QStringList stack_;
};

} // namespace tarvelo
