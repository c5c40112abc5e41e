#include "framework/status/StatusReporter.h"

#include "framework/host/Application.h"
#include "framework/status/frmProgress.h"
#include "framework/ui/Ui.h"

#include <QVariant>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
const QString Dots = u"DOTS"_s;
const QString DontSet = u"DONTSET"_s;
const QString Cancelled = u"CANCELLED"_s;
constexpr int MaxDots = 19;
} // namespace

struct StatusReporter::Private {
    explicit Private(Ui& shownOn) : ui(shownOn) {}

    Ui& ui;
    Application* owner = nullptr;
    std::unique_ptr<frmProgress> window;
    QString dots;
    QString lastMessage;
};

StatusReporter::StatusReporter(Ui& ui) : d_(new Private(ui)) {}

frmProgress* StatusReporter::window() const { return d_->window.get(); }

StatusReporter::~StatusReporter()
{
    if (d_->window)
        d_->window->hide();
}

void StatusReporter::callHost(const QString& procedure, const HostStatusCall::Pointer& call)
{
    d_->owner->RunProcedure(u"Instellingen"_s, u"Tarvelomain"_s, procedure, QVariant::fromValue(call));
}

void StatusReporter::InitStatus(int maxSteps, const QString& caption, const QString& message, bool allowCancel,
                                Application* owner)
{
    d_->owner = owner;
    if (d_->owner) {
        auto call = HostStatusCall::Pointer::create();
        call->maxSteps = maxSteps;
        call->caption = caption;
        call->message = message;
        call->allowCancel = allowCancel;
        callHost(u"InitStatus"_s, call);
        return;
    }
    if (!d_->window) {
        d_->window = std::make_unique<frmProgress>();
        WindowCreated(*d_->window);
    }
    d_->dots.clear();
    // The first message is what running dots follow until another one comes.
    d_->lastMessage = message;
    d_->ui.doEvents();
    frmProgress& form = *d_->window;
    form.setCaption(caption);
    form.setHeight(maxSteps > 0 ? frmProgress::HeightWithBar : frmProgress::HeightWithoutBar);
    form.Pgb1.setVisible(maxSteps > 0);
    form.Pgb1.setMin(0);
    form.Pgb1.setValue(0);
    form.Pgb1.setMax(std::max(1, maxSteps));
    form.cmdCancel.setVisible(allowCancel);
    form.lblMessage.setCaption(message);
}

void StatusReporter::SetStatus(QString& message, bool& cancelled, bool step)
{
    if (d_->owner) {
        auto call = HostStatusCall::Pointer::create();
        call->message = message;
        call->step = step;
        callHost(u"SetStatus"_s, call);
        message = call->message;
        cancelled = message == Cancelled;
        return;
    }
    if (!d_->window) {
        // No status was started (or it has ended): nothing to show, nothing cancelled.
        cancelled = false;
        return;
    }
    frmProgress& form = *d_->window;
    if (message != Dots) {
        d_->dots.clear();
        // "DONTSET" only advances the bar: the dots keep following the real message.
        if (message != DontSet)
            d_->lastMessage = message;
        if (step && form.Pgb1.visible())
            form.Pgb1.setValue(std::min(form.Pgb1.value() + 1, form.Pgb1.max()));
        if (message != DontSet)
            form.lblMessage.setCaption(message);
    } else {
        d_->dots += QLatin1Char('.');
        if (d_->dots.size() > MaxDots)
            d_->dots.clear();
        form.lblMessage.setCaption(d_->lastMessage + d_->dots);
    }
    d_->ui.doEvents();
    // The run may have been ended from inside the events (the window closed).
    if (!d_->window) {
        cancelled = false;
        return;
    }
    d_->window->show();
    cancelled = d_->window->Cancelled();
}

void StatusReporter::TermStatus()
{
    if (d_->owner) {
        callHost(u"TermStatus"_s, HostStatusCall::Pointer::create());
        d_->owner = nullptr;
    }
    if (d_->window) {
        d_->window->hide();
        d_->window.reset();
    }
}

} // namespace tarvelo
