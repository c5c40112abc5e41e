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

StatusReporter::StatusReporter(Ui& ui) : ui_(ui) {}

StatusReporter::~StatusReporter()
{
    if (window_)
        window_->hide();
}

void StatusReporter::callHost(const QString& procedure, const HostStatusCall::Pointer& call)
{
    owner_->RunProcedure(u"Instellingen"_s, u"Tarvelomain"_s, procedure,
                         QVariant::fromValue(call));
}

void StatusReporter::InitStatus(int maxSteps, const QString& caption, const QString& message, bool allowCancel,
                                Application* owner)
{
    owner_ = owner;
    if (owner_) {
        auto call = HostStatusCall::Pointer::create();
        call->maxSteps = maxSteps;
        call->caption = caption;
        call->message = message;
        call->allowCancel = allowCancel;
        callHost(u"InitStatus"_s, call);
        return;
    }
    if (!window_) {
        window_ = std::make_unique<frmProgress>();
        WindowCreated(*window_);
    }
    dots_.clear();
    // The first message is what running dots follow until another one comes.
    lastMessage_ = message;
    ui_.doEvents();
    frmProgress& form = *window_;
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
    if (owner_) {
        auto call = HostStatusCall::Pointer::create();
        call->message = message;
        call->step = step;
        callHost(u"SetStatus"_s, call);
        message = call->message;
        cancelled = message == Cancelled;
        return;
    }
    if (!window_) {
        // No status was started (or it has ended): nothing to show, nothing cancelled.
        cancelled = false;
        return;
    }
    frmProgress& form = *window_;
    if (message != Dots) {
        dots_.clear();
        // "DONTSET" only advances the bar: the dots keep following the real message.
        if (message != DontSet)
            lastMessage_ = message;
        if (step && form.Pgb1.visible())
            form.Pgb1.setValue(std::min(form.Pgb1.value() + 1, form.Pgb1.max()));
        if (message != DontSet)
            form.lblMessage.setCaption(message);
    } else {
        dots_ += QLatin1Char('.');
        if (dots_.size() > MaxDots)
            dots_.clear();
        form.lblMessage.setCaption(lastMessage_ + dots_);
    }
    ui_.doEvents();
    // The run may have been ended from inside the events (the window closed).
    if (!window_) {
        cancelled = false;
        return;
    }
    window_->show();
    cancelled = window_->Cancelled();
}

void StatusReporter::TermStatus()
{
    if (owner_) {
        callHost(u"TermStatus"_s, HostStatusCall::Pointer::create());
        owner_ = nullptr;
    }
    if (window_) {
        window_->hide();
        window_.reset();
    }
}

} // namespace tarvelo
