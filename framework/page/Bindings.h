#pragma once

#include "TarveloExport.h"

#include "framework/forms/ComboBox.h"
#include "framework/host/SettingsObject.h"
#include "framework/page/SettingPresentation.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace tarvelo {

class Bindings;
class CheckBox;
class Control;
class OptionButton;
class Procedures;
class TextBox;
class YesNo;

// Reaches one declared setting inside a settings object.
using SettingAccessor = std::function<SettingBase&(SettingsObject&)>;

template <class Block, class T>
SettingAccessor settingOf(Setting<T> Block::*member)
{
    return [member](SettingsObject& settings) -> SettingBase& { return settings.get<Block>().*member; };
}

// A control that shows one setting and writes it back the moment the user
// changes it. The fill and write-back rules are the framework's; the options
// below are the variations pages need. Write-back stays silent while the page
// fills, so the fill never writes back (defaults aside).
class TARVELO_EXPORT Binding {
public:
    // How the value moves between a kind of control and the setting.
    class Adaptor;

    Binding(Bindings& owner, std::unique_ptr<Adaptor> adaptor, SettingAccessor setting);
    ~Binding();

    // A stored 0 or empty text means no choice yet: the fill shows the
    // setting's declared default (or the value given) and writes it back at
    // once, so the host stores it.
    Binding& defaultWhenEmpty();
    Binding& defaultWhenEmpty(const QVariant& value);
    // Values that the control shows differently from how they are stored.
    Binding& convert(std::function<QVariant(const QVariant&)> toControl,
                     std::function<QVariant(const QVariant&)> toSetting);
    // A yes/no or check box that shows the opposite of a Boolean setting.
    Binding& inverted();
    // Runs after a write-back that changed the setting (the page's own rule).
    Binding& then(std::function<void()> followUp);
    // Controls usable only while this control is ticked, "Ja" or not empty.
    Binding& enables(std::vector<Control*> controls);
    // The procedure the write-back's errors are reported under; by default the
    // control's name and event ("chkProxy_Click", "txtMinuten_Validation").
    Binding& procedure(const QString& name);
    // The office-wide settings instead of the user's.
    Binding& inGlobalSetup();
    // A text box that writes when the user leaves it, not on each change.
    Binding& whenLeft();

    Control& control() const;
    // Every control the binding covers (one, or the buttons of a group).
    std::vector<Control*> controls() const;

    // The framework's part: setting -> control, and the enable rule.
    void fill();
    void applyEnables();

    // The setting as bound: in Setup, or in GlobalSetup with inGlobalSetup().
    SettingBase& boundSetting() const { return setting(); }
    bool isGlobal() const { return global_; }
    // What the setting goes back to: the page's value for an empty setting
    // when it has one, else the declared default; in the setting's own type.
    QVariant defaultValue() const;
    bool differsFromDefault() const;
    // Whether the page puts a value of its own into an empty setting.
    bool hasPageDefault() const { return declaredWhenEmpty_ || default_.isValid(); }
    bool isLocked() const { return !setting().writable(); }
    // Puts the default into the control and writes it back as a user's change
    // would, so the page's own rules run; false (nothing changes) when the
    // setting is locked.
    bool resetToDefault();
    // The control's marker: locked, changed from the default, or none.
    void refreshMarker();
    // Puts value into the control and writes it back as a user's change
    // would, so the page's own rules run; false (nothing changes) when the
    // setting is locked.
    bool putValue(const QVariant& value);
    // How the setting reads on this page: the control's caption, its frame,
    // and the texts that stand for its values.
    SettingPresentation presentation() const;

private:
    enum class Trigger { Change, Leave };
    void store(Trigger trigger);
    SettingBase& setting() const;
    // What the fill puts into an empty setting (null when nothing).
    QVariant whenEmpty() const;
    QString procedureName(Trigger trigger) const;

    Bindings& owner_;
    std::unique_ptr<Adaptor> adaptor_;
    SettingAccessor setting_;
    QVariant default_;
    bool declaredWhenEmpty_ = false;
    std::function<QVariant(const QVariant&)> toControl_, toSetting_;
    bool inverted_ = false;
    std::function<void()> followUp_;
    std::vector<Control*> enables_;
    QString procedure_;
    bool global_ = false;
    bool whenLeft_ = false;
};

// The bindings of one page, filled in the order they were declared.
class TARVELO_EXPORT Bindings {
public:
    struct Host {
        Procedures& procedures;
        std::function<SettingsObject&()> setup;
        std::function<SettingsObject&()> globalSetup;
        // True while the page's own fill guard holds (IsLoading).
        std::function<bool()> loading;
    };
    explicit Bindings(Host host);
    ~Bindings();

    // A check box: ticked is true.
    Binding& bind(CheckBox& box, SettingAccessor setting);
    // A text box: the text, or its number for a numeric setting. A number is
    // stored as it is typed; a text that is no number yet waits for the user
    // to leave the box, where a bad number is reported.
    Binding& bind(TextBox& box, SettingAccessor setting);
    // A combo box by item data: the fixed entries are put back at each fill and
    // the entry carrying the stored value is selected (none when none does).
    Binding& bind(ComboBox& combo, SettingAccessor setting, std::vector<ListEntry> entries = {});
    // A combo box by position.
    Binding& bindIndex(ComboBox& combo, SettingAccessor setting);
    // The yes/no control: "Ja" is true.
    Binding& bind(YesNo& choice, SettingAccessor setting);
    // Option buttons: the setting holds the chosen button's value (its
    // position in the group unless values are given).
    Binding& bindOptions(std::vector<OptionButton*> group, SettingAccessor setting, std::vector<int> values = {});
    // Check boxes of a control array over one integer: box i is bit i; bits
    // without a box keep their value.
    Binding& bindBits(std::vector<CheckBox*> boxes, SettingAccessor setting);

    template <class C, class Block, class T, class... Rest>
    Binding& bind(C& control, Setting<T> Block::*member, Rest&&... rest)
    {
        return bind(control, settingOf(member), std::forward<Rest>(rest)...);
    }
    template <class Block, class T>
    Binding& bindIndex(ComboBox& combo, Setting<T> Block::*member)
    {
        return bindIndex(combo, settingOf(member));
    }
    template <class Block, class T, class... Rest>
    Binding& bindOptions(std::vector<OptionButton*> group, Setting<T> Block::*member, Rest&&... rest)
    {
        return bindOptions(std::move(group), settingOf(member), std::forward<Rest>(rest)...);
    }
    template <class Block, class T>
    Binding& bindBits(std::vector<CheckBox*> boxes, Setting<T> Block::*member)
    {
        return bindBits(std::move(boxes), settingOf(member));
    }

    // A control that shows a setting which the page fills and stores by its
    // own procedures: not a binding, but it gives the setting its caption,
    // its page and the texts of its values.
    void shows(Control& control, SettingAccessor setting, bool global = false);
    template <class Block, class T>
    void shows(Control& control, Setting<T> Block::*member, bool global = false)
    {
        shows(control, settingOf(member), global);
    }
    void showsBits(std::vector<CheckBox*> boxes, SettingAccessor setting);
    // Every setting the page shows, bound or not, as it reads there.
    std::vector<SettingPresentation> presentations() const;

    // Every binding, setting -> control, then the enable rules.
    void fill();
    // Settings of object took values from outside (SettingsObject::Changed):
    // the controls bound to them show them as the fill would, their enable
    // rules and every marker follow. A text box the user has typed in and not
    // left keeps the user's text. Other controls are left as they are.
    void refresh(const SettingsObject& object, const QStringList& names);
    void applyEnables();
    // The markers of every bound control, after settings changed.
    void refreshMarkers();
    // Every binding that is not locked back to its default; the number reset.
    int resetAll();
    const std::vector<std::unique_ptr<Binding>>& all() const { return bindings_; }
    // The binding a control belongs to, or null.
    Binding* bindingOf(const Control& control) const;
    bool silent() const { return filling_ || (host_.loading && host_.loading()); }

private:
    friend class Binding;
    Binding& add(std::unique_ptr<Binding::Adaptor> adaptor, SettingAccessor setting);

    struct ShownOnly;
    Host host_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::vector<std::unique_ptr<ShownOnly>> shown_;
    bool filling_ = false;
};

} // namespace tarvelo
