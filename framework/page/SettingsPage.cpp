#include "framework/page/SettingsPage.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/DpiScaling.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

SettingsPage::SettingsPage(const QString& componentName) : form_(componentName)
{
    form_.setBackColor(SystemColour::ButtonFace);
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::Initialize(const Ui& screen)
{
    std::vector<Control*> controls = form_.controls();
    ScaleForDpi(form_, controls, keepSizeNames(), screen.twipsPerPixelX(), screen.twipsPerPixelY());
}

void SettingsPage::setApplication(Application& application)
{
    application_ = &application;
    notifySubscription_ = Subscription<QString, QString, QString, QVariant>(
        application.Notify, [this](const QString& sender, const QString& form, const QString& action,
                                   const QVariant& value) { Notify(sender, form, action, value); });
    if (guardsFill()) {
        IsLoading = true;
        Fill();
        IsLoading = false;
    } else {
        Fill();
    }
}

void SettingsPage::SetApplication(Application& application)
{
    setSetup(application.SettingsObject());
    setApplication(application);
}

void SettingsPage::Notify(const QString&, const QString&, const QString&, const QVariant&) {}

QString SettingsPage::errorContext() const { return QStringLiteral("Instellingen - ") + Titel(); }

Application& SettingsPage::app() const
{
    if (!application_)
        throw RuntimeError::objectRequired();
    return *application_;
}

Settings& SettingsPage::Setup() const
{
    if (!setup_)
        throw RuntimeError(91, QStringLiteral("Objectvariabele of blokvariabele With is niet ingesteld"));
    return *setup_;
}

Ui& SettingsPage::ui() const { return app().ui(); }

ProcedureTrace& SettingsPage::trace()
{
    if (!trace_)
        trace_ = std::make_unique<ProcedureTrace>();
    return *trace_;
}

void SettingsPage::setBackColor(Colour colour)
{
    form_.setBackColor(colour);
    std::vector<Control*> controls = form_.controls();
    SetControlsBackColor(controls, colour, {}, SystemColour::ButtonFace);
}

bool SettingsPage::guarded(const QString& procedureName, const std::function<void()>& body)
{
    const int depth = trace().depth();
    trace().Enter(procedureName);
    try {
        body();
        trace().Leave();
        return true;
    } catch (const std::exception& e) {
        trace().unwindTo(depth);
        trace().ProcedureName = procedureName;
        trace().ErrorKind = 2;
        HandleError(procedureName, RuntimeError::fromStd(e));
        return false;
    }
}

void SettingsPage::HandleError(const QString&, const RuntimeError& error)
{
    ProcedureTrace& t = trace();
    if (application_)
        application_->ui().setMousePointer(MousePointer::Default);
    t.ApplicationTitle = LibraryTitle;
    t.ComponentName = componentName();
    t.ProductName = QStringLiteral("Quenmarix");
    t.Context = errorContext();
    t.Message = QStringLiteral("Er is een fout opgetreden.");
    t.ErrorNumber = QString::number(error.number());
    t.ErrorDescription = error.description();
    t.ErrorSource = error.source();
    if (application_)
        application_->ShowError(t);
    else
        throw error; // no host to report to: the creator of the page learns of it
}

void SettingsPage::Validation(bool& Cancel, qint16 Controle_Nr)
{
    guarded(QStringLiteral("Validation"), [&] {
        if (Controle_Nr == 0)
            ui().doEvents();
        for (const ValidationCheck& check : validationChecks()) {
            if (Cancel)
                break;
            if (Controle_Nr != 0 && check.number != Controle_Nr)
                continue;
            if (!check.passes())
                Cancel = true;
        }
    });
}

bool SettingsPage::failCheck(const QString& text, const QString& caption, Control* focus)
{
    ui().msgBox(text, MsgButtons::OK, MsgIcon::Exclamation, caption);
    if (focus)
        focus->setFocus();
    return false;
}

void SettingsPage::stackFrames(std::vector<Frame*> frames)
{
    stackedFrames_ = std::move(frames);
    form_.Resize.connect([this] { layoutStackedFrames(); });
    layoutStackedFrames();
}

void SettingsPage::layoutStackedFrames()
{
    if (IsResizing || stackedFrames_.empty())
        return;
    IsResizing = true;
    const int oldHeight = form_.height();
    Frame* first = stackedFrames_.front();
    first->move(0, 0);
    int bottom = first->bottom();
    for (std::size_t i = 1; i < stackedFrames_.size(); ++i) {
        Frame* frame = stackedFrames_[i];
        frame->setBounds(first->left(), bottom + 60, first->width(), frame->height());
        bottom = frame->bottom();
    }
    form_.setBounds(form_.left(), form_.top(), first->right(), bottom);
    IsResizing = false;
    if (form_.height() != oldHeight)
        HeightChanged();
}

} // namespace tarvelo
