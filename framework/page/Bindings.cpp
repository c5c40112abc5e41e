#include "framework/page/Bindings.h"

#include <functional>

#include "framework/errors/Procedures.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/util/AccessKey.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

// One kind of control: how it shows a value, what it holds, and which of its
// events mean the user changed it.
class Binding::Adaptor {
public:
    virtual ~Adaptor() = default;
    virtual Control& control() const = 0;
    virtual std::vector<Control*> controls() const { return {&control()}; }
    virtual void show(const QVariant& value) = 0;
    // The value the control holds; stored is the setting's value before the
    // write, for controls that own only part of it.
    virtual QVariant read(const QVariant& stored) const = 0;
    virtual QString event() const = 0;
    // changed: the user changed the control; left: the user left it (text boxes).
    virtual void connect(std::function<void()> changed, std::function<void()> left) = 0;
    virtual bool isText() const { return false; }
    // Caption and value texts as this kind of control shows them.
    virtual void describe(SettingPresentation& p) const { p.fieldCaption = fieldCaption(control()); }
};

namespace {

bool isEmptyValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString().isEmpty();
    case QMetaType::QDate: return v.toDate().isNull();
    case QMetaType::Bool: return false;
    default: return v.toDouble() == 0;
    }
}

bool isTrue(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString)
        return !v.toString().isEmpty();
    return v.toBool();
}

class CheckBoxAdaptor final : public Binding::Adaptor {
public:
    explicit CheckBoxAdaptor(CheckBox& box) : box_(box) {}
    Control& control() const override { return box_; }
    void show(const QVariant& value) override { box_.setChecked(value.toBool()); }
    QVariant read(const QVariant&) const override { return box_.isChecked(); }
    QString event() const override { return u"Click"_s; }
    void connect(std::function<void()> changed, std::function<void()>) override
    {
        box_.Click.connect(std::move(changed));
    }
    void describe(SettingPresentation& p) const override
    {
        Adaptor::describe(p);
        p.kind = SettingPresentation::Kind::YesNo;
    }

private:
    CheckBox& box_;
};

class TextBoxAdaptor final : public Binding::Adaptor {
public:
    explicit TextBoxAdaptor(TextBox& box) : box_(box) {}
    Control& control() const override { return box_; }
    void show(const QVariant& value) override { box_.setText(value.toString()); }
    QVariant read(const QVariant&) const override { return box_.text(); }
    QString event() const override { return u"Change"_s; }
    void connect(std::function<void()> changed, std::function<void()> left) override
    {
        box_.Change.connect(std::move(changed));
        box_.Validate.connect([left = std::move(left)](bool&) { left(); });
    }
    bool isText() const override { return true; }

private:
    TextBox& box_;
};

class ComboAdaptor final : public Binding::Adaptor {
public:
    ComboAdaptor(ComboBox& combo, std::vector<ListEntry> entries, bool byIndex)
        : combo_(combo),
          entries_(std::move(entries)),
          byIndex_(byIndex)
    {
    }
    Control& control() const override { return combo_; }
    void show(const QVariant& value) override
    {
        if (!entries_.empty()) {
            combo_.clear();
            for (const ListEntry& e : entries_)
                combo_.addItemWithData(e.text, e.itemData);
        }
        const qint32 wanted = value.toInt();
        if (byIndex_) {
            combo_.setListIndex(wanted >= 0 && wanted < combo_.listCount() ? wanted : -1);
            return;
        }
        int found = -1;
        for (int i = 0; i < combo_.listCount() && found < 0; ++i) {
            if (combo_.itemData(i) == wanted)
                found = i;
        }
        combo_.setListIndex(found);
    }
    QVariant read(const QVariant& stored) const override
    {
        const int i = combo_.listIndex();
        if (i < 0)
            return stored; // nothing chosen: nothing to store
        return byIndex_ ? QVariant(i) : QVariant(combo_.itemData(i));
    }
    QString event() const override { return u"Click"_s; }
    void connect(std::function<void()> changed, std::function<void()>) override
    {
        combo_.Click.connect(std::move(changed));
    }
    void describe(SettingPresentation& p) const override
    {
        Adaptor::describe(p);
        p.kind = SettingPresentation::Kind::Choice;
        if (!entries_.empty()) {
            for (std::size_t i = 0; i < entries_.size(); ++i)
                p.choices.insert(byIndex_ ? qint64(i) : entries_[i].itemData, entries_[i].text.trimmed());
            return;
        }
        for (int i = 0; i < combo_.listCount(); ++i)
            p.choices.insert(byIndex_ ? qint64(i) : combo_.itemData(i), combo_.list(i).trimmed());
    }

private:
    ComboBox& combo_;
    std::vector<ListEntry> entries_;
    bool byIndex_;
};

class YesNoAdaptor final : public Binding::Adaptor {
public:
    explicit YesNoAdaptor(YesNo& choice) : choice_(choice) {}
    Control& control() const override { return choice_; }
    void show(const QVariant& value) override { choice_.setJa(value.toBool()); }
    QVariant read(const QVariant&) const override { return choice_.isJa(); }
    QString event() const override { return u"Change"_s; }
    void connect(std::function<void()> changed, std::function<void()>) override
    {
        choice_.Change.connect(std::move(changed));
    }
    void describe(SettingPresentation& p) const override
    {
        Adaptor::describe(p);
        p.kind = SettingPresentation::Kind::YesNo;
    }

private:
    YesNo& choice_;
};

class OptionGroupAdaptor final : public Binding::Adaptor {
public:
    OptionGroupAdaptor(std::vector<OptionButton*> group, std::vector<int> values)
        : group_(std::move(group)),
          values_(std::move(values))
    {
        if (group_.empty())
            throw RuntimeError::invalidProcedureCall();
        if (values_.empty()) {
            for (std::size_t i = 0; i < group_.size(); ++i)
                values_.push_back(int(i));
        }
        if (values_.size() != group_.size())
            throw RuntimeError::invalidProcedureCall();
    }
    Control& control() const override { return *group_.front(); }
    std::vector<Control*> controls() const override { return {group_.begin(), group_.end()}; }
    void show(const QVariant& value) override
    {
        for (std::size_t i = 0; i < group_.size(); ++i) {
            if (values_[i] == value.toInt())
                group_[i]->setValue(true);
            else
                group_[i]->setValue(false);
        }
    }
    QVariant read(const QVariant& stored) const override
    {
        for (std::size_t i = 0; i < group_.size(); ++i) {
            if (group_[i]->value())
                return values_[i];
        }
        return stored;
    }
    QString event() const override { return u"Click"_s; }
    void connect(std::function<void()> changed, std::function<void()>) override
    {
        for (OptionButton* option : group_)
            option->Click.connect(changed);
    }
    void describe(SettingPresentation& p) const override
    {
        // The group is named by its label or frame; each button by its caption.
        p.fieldCaption = fieldCaption(*group_.front());
        if (p.fieldCaption == withoutAccessKey(group_.front()->caption()))
            p.fieldCaption = frameCaptionOf(*group_.front());
        p.kind = SettingPresentation::Kind::Choice;
        for (std::size_t i = 0; i < group_.size(); ++i)
            p.choices.insert(values_[i], withoutAccessKey(group_[i]->caption()));
    }

private:
    std::vector<OptionButton*> group_;
    std::vector<int> values_;
};

class BitSetAdaptor final : public Binding::Adaptor {
public:
    explicit BitSetAdaptor(std::vector<CheckBox*> boxes) : boxes_(std::move(boxes))
    {
        for (const CheckBox* box : boxes_) {
            if (box->index() < 0 || box->index() > 30)
                throw RuntimeError::subscriptOutOfRange();
        }
        if (boxes_.empty())
            throw RuntimeError::invalidProcedureCall();
    }
    Control& control() const override { return *boxes_.front(); }
    std::vector<Control*> controls() const override { return {boxes_.begin(), boxes_.end()}; }
    void show(const QVariant& value) override
    {
        const qint64 bits = value.toLongLong();
        for (CheckBox* box : boxes_)
            box->setChecked((bits >> box->index()) & 1);
    }
    QVariant read(const QVariant& stored) const override
    {
        qint64 bits = stored.toLongLong();
        for (const CheckBox* box : boxes_) {
            const qint64 bit = qint64(1) << box->index();
            bits = box->isChecked() ? (bits | bit) : (bits & ~bit);
        }
        return bits;
    }
    QString event() const override { return u"Click"_s; }
    void connect(std::function<void()> changed, std::function<void()>) override
    {
        for (CheckBox* box : boxes_)
            box->Click.connect(changed);
    }
    void describe(SettingPresentation& p) const override
    {
        // The boxes together are named by their frame.
        p.fieldCaption = frameCaptionOf(*boxes_.front());
        p.kind = SettingPresentation::Kind::Bits;
        for (const CheckBox* box : boxes_)
            p.choices.insert(box->index(), withoutAccessKey(box->caption()));
    }

private:
    std::vector<CheckBox*> boxes_;
};

bool isNumeric(const SettingBase& setting)
{
    const int id = setting.type().id();
    return id != QMetaType::QString && id != QMetaType::Bool && id != QMetaType::QDate;
}

} // namespace

Binding::Binding(Bindings& owner, std::unique_ptr<Adaptor> adaptor, SettingAccessor setting)
    : owner_(owner),
      adaptor_(std::move(adaptor)),
      setting_(std::move(setting))
{
    adaptor_->connect([this] { store(Trigger::Change); }, [this] { store(Trigger::Leave); });
}

Binding::~Binding() = default;

Binding& Binding::defaultWhenEmpty()
{
    declaredWhenEmpty_ = true;
    return *this;
}

Binding& Binding::defaultWhenEmpty(const QVariant& value)
{
    default_ = value;
    return *this;
}

QVariant Binding::whenEmpty() const
{
    if (declaredWhenEmpty_)
        return setting().defaultVariant();
    return default_;
}

Binding& Binding::convert(std::function<QVariant(const QVariant&)> toControl,
                          std::function<QVariant(const QVariant&)> toSetting)
{
    toControl_ = std::move(toControl);
    toSetting_ = std::move(toSetting);
    return *this;
}

Binding& Binding::inverted()
{
    inverted_ = true;
    return *this;
}
Binding& Binding::then(std::function<void()> followUp)
{
    followUp_ = std::move(followUp);
    return *this;
}
Binding& Binding::enables(std::vector<Control*> controls)
{
    // The controls follow the control's state from the start, not only after the fill.
    enables_ = std::move(controls);
    applyEnables();
    return *this;
}
Binding& Binding::procedure(const QString& name)
{
    procedure_ = name;
    return *this;
}
Binding& Binding::inGlobalSetup()
{
    global_ = true;
    return *this;
}
Binding& Binding::whenLeft()
{
    whenLeft_ = true;
    return *this;
}

Control& Binding::control() const { return adaptor_->control(); }

std::vector<Control*> Binding::controls() const { return adaptor_->controls(); }

QVariant Binding::defaultValue() const
{
    const SettingBase& s = setting();
    QVariant value = hasPageDefault() ? whenEmpty() : s.defaultVariant();
    QVariant typed = value;
    if (typed.convert(s.type()))
        return typed;
    return value;
}

bool Binding::differsFromDefault() const { return setting().toVariant() != defaultValue(); }

bool Binding::resetToDefault() { return putValue(defaultValue()); }

SettingPresentation Binding::presentation() const
{
    const SettingBase& s = setting();
    SettingPresentation p = declaredPresentation(s, global_ ? u"GlobalSetup"_s : u"Setup"_s);
    adaptor_->describe(p);
    p.inverted = inverted_;
    p.toControl = toControl_;
    p.frameCaption = frameCaptionOf(adaptor_->control());
    p.control = adaptor_->control().name();
    p.controlIndex = adaptor_->control().index();
    // A caption the block declares is the one meant for this setting.
    if (!s.shown().caption.isEmpty())
        p.fieldCaption = s.shown().caption;
    p.caption = p.fieldCaption;
    return p;
}

bool Binding::putValue(const QVariant& value)
{
    if (isLocked())
        return false;
    QVariant wanted = value;
    if (QVariant t = wanted; t.convert(setting().type()))
        wanted = t;
    QVariant shown = wanted;
    if (toControl_)
        shown = toControl_(shown);
    if (inverted_)
        shown = !shown.toBool();
    // Through the control, as if the user put the default there: the change
    // handlers, follow-ups and enable rules of the page run.
    adaptor_->show(shown);
    store(Trigger::Change);
    store(Trigger::Leave);
    // A control that cannot show the value (a combo without an entry for it)
    // leaves the setting as it was; the value is then written directly.
    if (setting().toVariant() != wanted) {
        setting().fromVariant(wanted);
        fill();
        applyEnables();
    }
    owner_.refreshMarkers();
    return true;
}

namespace {
// The changed dot goes on the first control of a setting, with a note in the screen's words;
// every control of a locked setting carries the padlock.
void markControls(const std::vector<Control*>& all, bool locked, bool changed,
                  const std::function<SettingPresentation()>& presentation, const QVariant& value,
                  const QVariant& defaultValue)
{
    QString note;
    if (changed) {
        const SettingPresentation p = presentation();
        note = p.secret ? u"Gewijzigd: deze instelling wijkt af van de standaardwaarde."_s
                        : u"Gewijzigd: %1 is %2; de standaardwaarde is %3."_s.arg(p.caption, shownValue(p, value),
                                                                                  shownValue(p, defaultValue));
    }
    for (Control* c : all) {
        SettingMarker marker = SettingMarker::None;
        if (locked)
            marker = SettingMarker::Locked;
        else if (c == all.front() && changed)
            marker = SettingMarker::ChangedFromDefault;
        c->setSettingMarker(marker, marker == SettingMarker::ChangedFromDefault ? note : QString());
    }
}
} // namespace

void Binding::refreshMarker()
{
    const bool locked = isLocked();
    const bool changed = !locked && differsFromDefault();
    markControls(
        controls(), locked, changed, [this] { return presentation(); }, setting().toVariant(), defaultValue());
}

SettingBase& Binding::setting() const { return setting_(global_ ? owner_.host_.globalSetup() : owner_.host_.setup()); }

void Binding::fill()
{
    SettingBase& s = setting();
    QVariant value = s.toVariant();
    if (hasPageDefault() && isEmptyValue(value)) {
        // A locked setting keeps its stored 0 or empty text; the control shows
        // what that means, the page's default, instead of nothing.
        if (s.writable()) {
            s.fromVariant(whenEmpty());
            value = s.toVariant();
        } else {
            value = defaultValue();
        }
    }
    if (toControl_)
        value = toControl_(value);
    if (inverted_)
        value = !value.toBool();
    adaptor_->show(value);
}

void Binding::applyEnables()
{
    if (enables_.empty())
        return;
    const bool on = isTrue(adaptor_->read(QVariant()));
    for (Control* c : enables_)
        c->setEnabled(on);
}

QString Binding::procedureName(Trigger trigger) const
{
    if (!procedure_.isEmpty())
        return procedure_;
    const Control& c = adaptor_->control();
    const QString event = trigger == Trigger::Leave ? u"Validation"_s : adaptor_->event();
    return c.name() + QLatin1Char('_') + event;
}

void Binding::store(Trigger trigger)
{
    if (owner_.silent())
        return;
    const bool text = adaptor_->isText();
    if (text && whenLeft_ && trigger == Trigger::Change)
        return;
    const auto write = [this] {
        SettingBase& s = setting();
        const QVariant before = s.toVariant();
        QVariant value = adaptor_->read(before);
        if (inverted_)
            value = !value.toBool();
        if (toSetting_)
            value = toSetting_(value);
        s.fromVariant(value);
        if (followUp_ && s.toVariant() != before)
            followUp_();
        applyEnables();
        // A write the lock refused shows the stored value again.
        if (!s.writable() && s.toVariant() != value)
            fill();
        owner_.refreshMarkers();
    };
    if (text && trigger == Trigger::Change && isNumeric(setting())) {
        // A number is stored as it is typed; a text that is no number yet (an
        // emptied box while retyping) waits for the user to leave the box.
        try {
            write();
        } catch (const RuntimeError&) {
        }
        return;
    }
    // Leaving a text box whose text was already stored on each change has
    // nothing left to store.
    if (text && trigger == Trigger::Leave && !whenLeft_ && !isNumeric(setting()))
        return;
    owner_.host_.procedures.guarded(procedureName(trigger), write);
}

struct Bindings::ShownOnly {
    std::unique_ptr<Binding::Adaptor> adaptor;
    SettingAccessor setting;
    bool global = false;

    SettingBase& in(const Bindings& owner) const
    {
        return setting(global ? owner.host_.globalSetup() : owner.host_.setup());
    }
    // The page's own procedure stores the change; the marker follows it.
    void follow(const Bindings& owner);
};

Bindings::Bindings(Host host) : host_(std::move(host)) {}

namespace {
std::unique_ptr<Binding::Adaptor> adaptorFor(Control& control)
{
    if (auto* box = dynamic_cast<CheckBox*>(&control))
        return std::make_unique<CheckBoxAdaptor>(*box);
    if (auto* combo = dynamic_cast<ComboBox*>(&control))
        return std::make_unique<ComboAdaptor>(*combo, std::vector<ListEntry>{}, false);
    if (auto* choice = dynamic_cast<YesNo*>(&control))
        return std::make_unique<YesNoAdaptor>(*choice);
    if (auto* box = dynamic_cast<TextBox*>(&control))
        return std::make_unique<TextBoxAdaptor>(*box);
    throw RuntimeError::invalidProcedureCall();
}

SettingPresentation presentationOf(const Binding::Adaptor& adaptor, const SettingBase& s, bool global)
{
    SettingPresentation p = declaredPresentation(s, global ? u"GlobalSetup"_s : u"Setup"_s);
    adaptor.describe(p);
    p.frameCaption = frameCaptionOf(adaptor.control());
    p.control = adaptor.control().name();
    p.controlIndex = adaptor.control().index();
    if (!s.shown().caption.isEmpty())
        p.fieldCaption = s.shown().caption;
    p.caption = p.fieldCaption;
    return p;
}

QVariant typedDefault(const SettingBase& s)
{
    QVariant value = s.defaultVariant();
    if (QVariant typed = value; typed.convert(s.type()))
        return typed;
    return value;
}

// A control the page fills itself carries the marker of the setting it shows,
// as a bound one does.
void markShown(const Binding::Adaptor& adaptor, const SettingBase& s, bool global)
{
    const bool locked = !s.writable();
    const bool changed = !locked && s.toVariant() != typedDefault(s);
    markControls(
        adaptor.controls(), locked, changed, [&] { return presentationOf(adaptor, s, global); }, s.toVariant(),
        typedDefault(s));
}
} // namespace

void Bindings::ShownOnly::follow(const Bindings& owner)
{
    const auto mark = [this, &owner] {
        if (!owner.silent())
            markShown(*adaptor, in(owner), global);
    };
    adaptor->connect(mark, mark);
}

void Bindings::shows(Control& control, SettingAccessor setting, bool global)
{
    shown_.push_back(std::make_unique<ShownOnly>(ShownOnly{adaptorFor(control), std::move(setting), global}));
    shown_.back()->follow(*this);
}

void Bindings::showsBits(std::vector<CheckBox*> boxes, SettingAccessor setting)
{
    shown_.push_back(std::make_unique<ShownOnly>(
        ShownOnly{std::make_unique<BitSetAdaptor>(std::move(boxes)), std::move(setting), false}));
    shown_.back()->follow(*this);
}

std::vector<SettingPresentation> Bindings::presentations() const
{
    std::vector<SettingPresentation> all;
    for (const auto& binding : bindings_)
        all.push_back(binding->presentation());
    for (const auto& shown : shown_)
        all.push_back(presentationOf(*shown->adaptor, shown->in(*this), shown->global));
    return all;
}

Bindings::~Bindings() = default;

Binding& Bindings::add(std::unique_ptr<Binding::Adaptor> adaptor, SettingAccessor setting)
{
    bindings_.push_back(std::make_unique<Binding>(*this, std::move(adaptor), std::move(setting)));
    return *bindings_.back();
}

Binding& Bindings::bind(CheckBox& box, SettingAccessor setting)
{
    return add(std::make_unique<CheckBoxAdaptor>(box), std::move(setting));
}

Binding& Bindings::bind(TextBox& box, SettingAccessor setting)
{
    return add(std::make_unique<TextBoxAdaptor>(box), std::move(setting));
}

Binding& Bindings::bind(ComboBox& combo, SettingAccessor setting, std::vector<ListEntry> entries)
{
    return add(std::make_unique<ComboAdaptor>(combo, std::move(entries), false), std::move(setting));
}

Binding& Bindings::bindIndex(ComboBox& combo, SettingAccessor setting)
{
    return add(std::make_unique<ComboAdaptor>(combo, std::vector<ListEntry>{}, true), std::move(setting));
}

Binding& Bindings::bind(YesNo& choice, SettingAccessor setting)
{
    return add(std::make_unique<YesNoAdaptor>(choice), std::move(setting));
}

Binding& Bindings::bindOptions(std::vector<OptionButton*> group, SettingAccessor setting, std::vector<int> values)
{
    return add(std::make_unique<OptionGroupAdaptor>(std::move(group), std::move(values)), std::move(setting));
}

Binding& Bindings::bindBits(std::vector<CheckBox*> boxes, SettingAccessor setting)
{
    return add(std::make_unique<BitSetAdaptor>(std::move(boxes)), std::move(setting));
}

void Bindings::fill()
{
    filling_ = true;
    try {
        for (const auto& binding : bindings_)
            binding->fill();
    } catch (...) {
        filling_ = false;
        throw;
    }
    filling_ = false;
    applyEnables();
    refreshMarkers();
}

void Bindings::refresh(const SettingsObject& object, const QStringList& names)
{
    // What the user typed and has not left yet is the user's, not the fill's.
    const auto typedIn = [](const Binding& binding) {
        for (const Control* c : binding.controls()) {
            if (const auto* box = dynamic_cast<const TextBox*>(c); box && box->edited())
                return true;
        }
        return false;
    };
    filling_ = true;
    try {
        for (const auto& binding : bindings_) {
            const SettingBase& s = binding->boundSetting();
            if (&s.owner() != &object || !names.contains(s.name()) || typedIn(*binding))
                continue;
            binding->fill();
            binding->applyEnables();
        }
    } catch (...) {
        filling_ = false;
        throw;
    }
    filling_ = false;
    refreshMarkers();
}

void Bindings::refreshMarkers()
{
    for (const auto& binding : bindings_)
        binding->refreshMarker();
    for (const auto& shown : shown_)
        markShown(*shown->adaptor, shown->in(*this), shown->global);
}

int Bindings::resetAll()
{
    int reset = 0;
    for (const auto& binding : bindings_) {
        if (binding->differsFromDefault() && binding->resetToDefault())
            ++reset;
    }
    return reset;
}

Binding* Bindings::bindingOf(const Control& control) const
{
    for (const auto& binding : bindings_) {
        for (const Control* c : binding->controls()) {
            if (c == &control)
                return binding.get();
        }
    }
    return nullptr;
}

void Bindings::applyEnables()
{
    for (const auto& binding : bindings_)
        binding->applyEnables();
}

} // namespace tarvelo
