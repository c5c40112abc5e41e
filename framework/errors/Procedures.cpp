#include "framework/errors/Procedures.h"

#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Control.h"
#include "framework/host/Application.h"
#include "framework/ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

Procedures::Procedures(QString componentName, std::function<QString()> context, QString message)
    : componentName_(std::move(componentName)),
      context_(std::move(context)),
      message_(std::move(message))
{
}

Procedures::~Procedures() = default;

Application& Procedures::app() const
{
    if (!host_)
        throw RuntimeError::objectRequired();
    return *host_;
}

ProcedureTrace& Procedures::trace()
{
    if (!trace_)
        trace_ = std::make_unique<ProcedureTrace>();
    return *trace_;
}

QString Procedures::procedureName(const std::source_location& where)
{
    // "void tarvelo::SetupProxy::chkProxy_Click()" -> "chkProxy_Click"
    const QString signature = QString::fromLatin1(where.function_name());
    QString name = signature.left(signature.indexOf(QLatin1Char('(')));
    name = name.mid(name.lastIndexOf(QLatin1Char(' ')) + 1);
    return name.mid(name.lastIndexOf(QLatin1String("::")) + 1).remove(QLatin1Char(':'));
}

bool Procedures::guarded(const std::function<void()>& body, std::source_location where)
{
    return guarded(procedureName(where), body);
}

bool Procedures::guarded(Index index, const std::function<void()>& body, std::source_location where)
{
    return guarded(u"%1 Index=%2"_s.arg(procedureName(where)).arg(index.value), body);
}

bool Procedures::guarded(const QString& procedureName, const std::function<void()>& body)
{
    if (!trapsErrors_) {
        body();
        return true;
    }
    ProcedureTrace& t = trace();
    const int depth = t.depth();
    t.Enter(procedureName);
    try {
        body();
        t.Leave();
        return true;
    } catch (const std::exception& e) {
        t.unwindTo(depth);
        t.ProcedureName = procedureName;
        t.ErrorKind = ReportTexts::GuardedErrorKind;
        HandleError(RuntimeError::fromStd(e));
        return false;
    }
}

void Procedures::HandleError(const RuntimeError& error)
{
    ProcedureTrace& t = trace();
    if (host_)
        host_->ui().setMousePointer(MousePointer::Default);
    t.ApplicationTitle = LibraryTitle;
    t.ComponentName = componentName_;
    t.ProductName = ReportTexts::ProductName;
    t.Context = context_ ? context_() : QString();
    t.Message = message_;
    t.ErrorNumber = QString::number(error.number());
    t.ErrorDescription = error.description();
    t.ErrorSource = error.source();
    if (!host_)
        throw error; // no host to report to: whoever created the form learns of it
    host_->ShowError(t);
}

bool Procedures::failCheck(const QString& text, const QString& caption, Control* focus)
{
    if (!host_)
        throw RuntimeError::objectRequired();
    host_->ui().msgBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption);
    if (focus)
        focus->setFocus();
    return false;
}

} // namespace tarvelo
