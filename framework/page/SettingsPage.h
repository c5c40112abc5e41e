#pragma once

#include "framework/forms/Event.h"
#include "framework/forms/Form.h"
#include "framework/host/ProcedureTrace.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tarvelo {

class Application;
class Frame;
class Settings;
class RuntimeError;
class Ui;

// One numbered input check of a page's Validation: returns true when the input
// is acceptable; a failing check shows its own message through failCheck.
struct ValidationCheck {
    qint16 number;
    std::function<bool()> passes;
};

// The contract every settings page offers its host, and what all pages share:
// attaching and filling, the guarded-procedure error report, the background
// colour rule, DPI scaling, Validation and the stacked-frames layout.
//
// The host, in this order: creates the page, calls Initialize (DPI scaling),
// sets Setup, then Application, which fills the page. Pages of the SetApplication
// kind are handed only the application and take their settings from it.
class SettingsPage {
public:
    enum class AttachKind { SetupThenApplication, SetApplication };

    explicit SettingsPage(const QString& componentName);
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;
    virtual ~SettingsPage();

    Form& form() { return form_; }
    const Form& form() const { return form_; }
    const QString& componentName() const { return form_.name(); }

    virtual QString Titel() const = 0;
    virtual AttachKind attachKind() const { return AttachKind::SetupThenApplication; }

    // Scales the page for the screen; the host calls it once, right after creating it.
    void Initialize(const Ui& screen);

    Settings* getSetup() const { return setup_; }
    void setSetup(Settings& setup) { setup_ = &setup; }
    Application* getApplication() const { return application_; }
    // Stores the application and fills the page from the settings.
    void setApplication(Application& application);
    // The variant for pages that reach their settings through the application.
    void SetApplication(Application& application);

    Colour BackColor() const { return form_.backColor(); }
    void setBackColor(Colour colour);

    // Only pages with input checks offer Validation; the host asks first.
    virtual bool hasValidation() const { return false; }
    void Validation(bool& Cancel, qint16 Controle_Nr = 0);

    // Raised when the page's own size changed, so the host can follow it.
    Event<> HeightChanged;

protected:
    // Reads every control's value from the settings; called on attaching.
    virtual void Fill() = 0;
    // Pages whose change handlers must stay silent during the fill say so.
    virtual bool guardsFill() const { return false; }
    // Controls that DPI scaling moves but does not resize.
    virtual QStringList keepSizeNames() const { return {}; }
    // The checks of Validation, in order.
    virtual std::vector<ValidationCheck> validationChecks() { return {}; }
    // A page listening to other pages overrides this.
    virtual void Notify(const QString& sender, const QString& form, const QString& action, const QVariant& value);
    // "Instellingen - " + Titel unless a page uses a shorter fixed form.
    virtual QString errorContext() const;

    Application& app() const;
    Settings& Setup() const;
    Ui& ui() const;
    ProcedureTrace& trace();

    // Runs body as the named procedure: entered in the trace, and any error
    // reported through the host with that name; the page stays usable.
    // Returns false when the body failed.
    bool guarded(const QString& procedureName, const std::function<void()>& body);

    // Shows a failing check's message (exclamation, OK), puts the focus on
    // the field and makes Validation cancel.
    bool failCheck(const QString& text, const QString& caption, Control* focus = nullptr);

    // Frames placed one below the other; the page takes their size. The
    // layout runs now and on every resize.
    void stackFrames(std::vector<Frame*> frames);

    bool IsLoading = false;
    bool IsResizing = false;

private:
    void HandleError(const QString& procedureName, const RuntimeError& error);
    void layoutStackedFrames();

    Form form_;
    Application* application_ = nullptr;
    Settings* setup_ = nullptr;
    std::unique_ptr<ProcedureTrace> trace_;
    std::vector<Frame*> stackedFrames_;
    Subscription<QString, QString, QString, QVariant> notifySubscription_;
};

} // namespace tarvelo
