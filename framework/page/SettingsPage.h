#pragma once

#include "TarveloExport.h"

#include "framework/errors/Procedures.h"
#include "framework/forms/Event.h"
#include "framework/forms/Form.h"
#include "framework/host/Settings.h"
#include "framework/page/Bindings.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Application;
class Frame;
class Ui;

// One numbered input check of a page's Validation: returns true when the input
// is acceptable; a failing check shows its own message through failCheck.
struct TARVELO_EXPORT ValidationCheck {
    qint16 number;
    std::function<bool()> passes;
};

// The contract every settings page offers its host, and what all pages share:
// attaching and filling, the bindings of plain settings, the guarded
// procedures and their error report, the background colour rule, DPI scaling,
// Validation and the stacked-frames layout.
//
// The host, in this order: creates the page, calls Initialize (DPI scaling),
// sets Setup, then Application, which fills the page: first every binding in
// the order declared, then the page's own Fill. Pages of the SetApplication
// kind are handed only the application and take their settings from it.
// Before destroying the page the host calls Terminate.
class TARVELO_EXPORT SettingsPage : public Procedures {
public:
    enum class AttachKind { SetupThenApplication, SetApplication };

    explicit SettingsPage(const QString& componentName);
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;
    virtual ~SettingsPage();

    Form& form();
    const Form& form() const;
    const QString& componentName() const;

    virtual QString Titel() const = 0;
    virtual AttachKind attachKind() const { return AttachKind::SetupThenApplication; }

    // Scales the page for the screen; the host calls it once, right after creating it.
    void Initialize(const Ui& screen);

    Settings* getSetup() const;
    void setSetup(Settings& setup);
    Application* getApplication() const { return host(); }
    // Stores the application and fills the page from the settings. From then
    // on the controls bound to a setting of Setup or GlobalSetup follow what
    // those objects announce of settings read from outside
    // (SettingsObject::Changed, Bindings::refresh); setting it again fills
    // the whole page again.
    void setApplication(Application& application);
    // The variant for pages that reach their settings through the application.
    void SetApplication(Application& application);
    // Fills the page again from what is stored now, as setting the
    // application again does, and keeps what the user made of it since its
    // last fill: the text of a box typed in and not left, the choices the
    // user made in lists and combos that show no setting, and the focus. A
    // choice the fill makes from a setting shows what is stored now.
    void fillAgain();

    Colour BackColor() const;
    // The page and its controls still on the button face take the colour; a
    // page with more that follows it (a list, say) adds that.
    virtual void setBackColor(Colour colour);

    // Only pages with input checks offer Validation; the host asks first.
    virtual bool hasValidation() const { return false; }
    void Validation(bool& Cancel, qint16 Controle_Nr = 0);
    // The numbers of the page's checks, in order, so that a host can run each
    // one and learn every problem, not only the first.
    std::vector<qint16> validationCheckNumbers();

    // The page's bound settings, for the host's markers, resets and locks.
    Bindings& settingBindings();

    // The office tables (lower case, as OfficeTables names them) whose rows
    // the page shows beside its settings: when another program changes one,
    // a host that watches the office fills the page again.
    const QStringList& officeTables() const;

    // The host is about to close the page: work the page collected but did not
    // apply yet is offered here, while the host can still show messages.
    virtual void Terminate() {}

    // Raised when the page's own size changed, so the host can follow it.
    Event<> HeightChanged;

    // The narrowest width (twips) at which the page's frames show everything;
    // the host that sets a narrower width gets this one and scrolls.
    int minimumWidth() const;

protected:
    // The page's own part of the fill, after its bindings; called on attaching.
    virtual void Fill() {}
    // The procedure the whole fill is traced and reported under.
    virtual QString fillProcedure() const { return u"Fill_Screen"_s; }
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
    // Room for page calls that a later 1.x adds without moving the virtual
    // functions above for pages built against 1.0 (id names the call, data
    // its arguments and result); a page leaves an id it does not know here.
    virtual void virtual_hook(int id, void* data);

    Settings& Setup() const;
    template <class Block>
    Block& Setup() const
    {
        return Setup().template get<Block>();
    }
    Settings& GlobalSetup() const;
    template <class Block>
    Block& GlobalSetup() const
    {
        return GlobalSetup().template get<Block>();
    }
    Ui& ui() const;

    // Declared once, in the constructor: the office tables the page reads
    // rows of (see officeTables).
    void showsOfficeTables(QStringList tables);
    // Declared once, in the constructor: a block of the page's Setup whose
    // settings its own fill reads without showing them (the ticked
    // service providers a list of receivers is made of). When one of them is
    // announced, the page's fill runs again as for a setting it shows.
    template <class Block>
    void fillReads()
    {
        fillReadsBlock(std::type_index(typeid(Block)));
    }

    // A control with its caption (or a hint with its text), inside parent.
    template <class T>
    T& add(Control& parent, const QString& name, const QString& caption = QString(), int index = -1)
    {
        return form().template add<T>(parent, name, caption, index);
    }

    // Plain settings: the control shows the setting and writes it back.
    template <class C, class Block, class T>
    Binding& bind(C& control, Setting<T> Block::*setting)
    {
        return bindings().bind(control, settingOf(setting));
    }
    template <class Block, class T>
    Binding& bind(ComboBox& combo, Setting<T> Block::*setting, std::vector<ListEntry> entries)
    {
        return bindings().bind(combo, settingOf(setting), std::move(entries));
    }
    template <class Block, class T>
    Binding& bindIndex(ComboBox& combo, Setting<T> Block::*setting)
    {
        return bindings().bindIndex(combo, settingOf(setting));
    }
    template <class Block, class T>
    Binding& bindOptions(std::vector<OptionButton*> group, Setting<T> Block::*setting, std::vector<int> values = {})
    {
        return bindings().bindOptions(std::move(group), settingOf(setting), std::move(values));
    }
    template <class Block, class T>
    Binding& bindBits(std::vector<CheckBox*> boxes, Setting<T> Block::*setting)
    {
        return bindings().bindBits(std::move(boxes), settingOf(setting));
    }
    Bindings& bindings();
    // A control that shows a setting the page fills and stores itself: it
    // names the setting and its values for the history, the import and the
    // command line.
    template <class Block, class T>
    void shows(Control& control, Setting<T> Block::*setting)
    {
        bindings().shows(control, settingOf(setting));
    }
    template <class Block, class T>
    void showsBits(std::vector<CheckBox*> boxes, Setting<T> Block::*setting)
    {
        bindings().showsBits(std::move(boxes), settingOf(setting));
    }

    // Frames placed one below the other; the page takes their size. The
    // layout runs now and on every resize.
    void stackFrames(std::vector<Frame*> frames);

    bool IsLoading = false;
    bool IsResizing = false;

private:
    void layoutStackedFrames();
    // Follows what Setup and GlobalSetup announce of settings read from outside.
    void followSettings();
    // Runs fill as the page's fill, keeping what the user made of the page since its last fill.
    void fillKeepingView(const std::function<void()>& fill);
    void fillReadsBlock(std::type_index block);

    // Everything a page keeps lives behind this pointer, so that a later 1.x
    // adds members without changing the size of a page built against 1.0.
    class Private;
    struct PrivateDeleter {
        void operator()(Private* d) const;
    };
    std::unique_ptr<Private, PrivateDeleter> d_;
};

} // namespace tarvelo
