#pragma once

#include "TarveloExport.h"

#include "framework/host/ProcedureTrace.h"

#include <QString>
#include <functional>
#include <memory>
#include <source_location>

namespace tarvelo {

class Application;
class Control;
class RuntimeError;

// The position of a control-array element whose handler runs: its procedure
// is reported as "cmdEdit_Click Index=1".
struct TARVELO_EXPORT Index {
    int value;
};

// What every page, dialog and user control shares for the procedures that can
// fail: each runs guarded, is entered in the form's trace under its own name,
// and an error it raises is reported once through the host, with the form's
// own context and message; the form stays usable. Input checks that fail show
// their message and keep the user in the field.
class TARVELO_EXPORT Procedures {
public:
    Procedures(const Procedures&) = delete;
    Procedures& operator=(const Procedures&) = delete;

    // The host the errors are reported to; null until the form is attached.
    Application* host() const { return host_; }
    // The host; error 424 before the form is attached.
    Application& app() const;

    // Runs body as a procedure named after the member function that calls
    // guarded (so call it from the procedure itself, not from a lambda).
    // Returns false when the body failed.
    bool guarded(const std::function<void()>& body, std::source_location where = std::source_location::current());
    // The same for the handler of one element of a control array.
    bool guarded(Index index, const std::function<void()>& body,
                 std::source_location where = std::source_location::current());
    // Runs body under a name of its own (a fill whose procedure differs from
    // the function it runs in, say).
    bool guarded(const QString& procedureName, const std::function<void()>& body);

    // Shows a failing check's message (exclamation, OK) and puts the focus on
    // the field; returns false, so that a check can end with it.
    bool failCheck(const QString& text, const QString& caption, Control* focus = nullptr);

    ProcedureTrace& trace();

    // The name a procedure is reported under: the bare function name.
    static QString procedureName(const std::source_location& where);

protected:
    // componentName is the form's own name; context tells the report's context
    // when an error happens (a page's title may be known only then).
    Procedures(QString componentName, std::function<QString()> context, QString message);
    ~Procedures();

    void setHost(Application* host) { host_ = host; }
    void setErrorContext(std::function<QString()> context) { context_ = std::move(context); }
    void setErrorMessage(const QString& message) { message_ = message; }
    // A form that traps no errors of its own lets them reach the host's
    // general error handling for controls.
    void setTrapsErrors(bool on) { trapsErrors_ = on; }

private:
    void HandleError(const RuntimeError& error);

    QString componentName_;
    std::function<QString()> context_;
    QString message_;
    Application* host_ = nullptr;
    bool trapsErrors_ = true;
    std::unique_ptr<ProcedureTrace> trace_;
};

} // namespace tarvelo
