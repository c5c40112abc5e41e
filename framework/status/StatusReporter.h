#pragma once

#include "TarveloExport.h"

#include "framework/forms/Event.h"

#include <QMetaType>
#include <QSharedPointer>
#include <QString>
#include <memory>

namespace tarvelo {

class Application;
class Ui;
class frmProgress;

// What the host's status bar receives as the argument of its procedures
// "InitStatus", "SetStatus" and "TermStatus" (component "Tarvelomain"): a
// QVariant holding a HostStatusCall::Pointer. For "SetStatus" the host may
// change message while it runs; it writes "CANCELLED" there when the user
// cancelled on its status bar.
struct TARVELO_EXPORT HostStatusCall {
    using Pointer = QSharedPointer<HostStatusCall>;
    int maxSteps = 0;
    QString caption;
    QString message;
    bool allowCancel = false;
    bool step = false;
};

// The progress of one long run at a time: on the host's status bar when the
// run names the host as owner, else in the library's own window frmProgress.
class TARVELO_EXPORT StatusReporter {
public:
    explicit StatusReporter(Ui& ui);
    ~StatusReporter();
    StatusReporter(const StatusReporter&) = delete;
    StatusReporter& operator=(const StatusReporter&) = delete;

    // Starts a status with maxSteps steps (0: no progress bar) and a first message.
    void InitStatus(int maxSteps, const QString& caption, const QString& message, bool allowCancel,
                    Application* owner = nullptr);
    // Shows message ("DOTS": the last message with one more running dot;
    // "DONTSET": the message stays), advances the bar by one when step is set,
    // and tells whether the user asked to stop. message may come back changed
    // by the host.
    void SetStatus(QString& message, bool& cancelled, bool step = false);
    // Ends the status: the host's status bar is told, the own window closes.
    void TermStatus();

    // The own window while a status runs in it, for a renderer and for checks.
    frmProgress* window() const;
    // Raised when the own window has been made and before it is first shown,
    // so that a renderer can follow it; the window's Closed event ends it.
    Event<frmProgress&> WindowCreated;

private:
    void callHost(const QString& procedure, const HostStatusCall::Pointer& call);

    // Behind a pointer, so that what a later version keeps leaves the size
    // of a reporter a host holds as it is.
    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace tarvelo

Q_DECLARE_METATYPE(tarvelo::HostStatusCall::Pointer)
