#include "framework/page/SettingsPage.h"

#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/DpiScaling.h"
#include "framework/page/HostedPage.h"
#include "framework/page/KeptView.h"
#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"

#include <QScopeGuard>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace tarvelo {

class SettingsPage::Private {
public:
    Private(SettingsPage& page, const QString& componentName);

    Form form;
    Settings* setup = nullptr;
    Bindings bindings;
    std::vector<Frame*> stackedFrames;
    std::vector<int> stackedWidths;
    int laidOutWidth = -1;
    QStringList officeTables;
    // The blocks the page's own fill reads without showing them (fillReads).
    std::vector<std::type_index> fillReads;
    // The choices of the lists and combos that show no setting, as the last fill left them.
    KeptView::Choices filled;
    Subscription<QString, QString, QString, QVariant> notifySubscription;
    Subscription<const SettingsBlock&, const QStringList&> setupChanged, globalChanged;
};

// Out of the class body, so that its lambdas stay inside the library.
SettingsPage::Private::Private(SettingsPage& page, const QString& componentName)
    : form(componentName),
      bindings({page, [&page]() -> SettingsObject& { return page.Setup(); },
                [&page]() -> SettingsObject& { return page.GlobalSetup(); }, [&page] { return page.IsLoading; }})
{
}

void SettingsPage::PrivateDeleter::operator()(Private* d) const { delete d; }

SettingsPage::SettingsPage(const QString& componentName)
    : Procedures(
          componentName, [this] { return errorContext(); }, ReportTexts::Message),
      d_(new Private(*this, componentName))
{
    d_->form.setBackColor(SystemColour::ButtonFace);
}

SettingsPage::~SettingsPage() = default;

Form& SettingsPage::form() { return d_->form; }
const Form& SettingsPage::form() const { return d_->form; }
const QString& SettingsPage::componentName() const { return d_->form.name(); }
Settings* SettingsPage::getSetup() const { return d_->setup; }
void SettingsPage::setSetup(Settings& setup) { d_->setup = &setup; }
Colour SettingsPage::BackColor() const { return d_->form.backColor(); }
Bindings& SettingsPage::settingBindings() { return d_->bindings; }
Bindings& SettingsPage::bindings() { return d_->bindings; }
const QStringList& SettingsPage::officeTables() const { return d_->officeTables; }

void SettingsPage::showsOfficeTables(QStringList tables)
{
    for (QString& table : tables)
        table = table.toLower();
    d_->officeTables = std::move(tables);
}

void SettingsPage::fillReadsBlock(std::type_index block) { d_->fillReads.push_back(block); }

void SettingsPage::virtual_hook(int, void*) {}

void SettingsPage::Initialize(const Ui& screen)
{
    Form& form = d_->form;
    std::vector<Control*> controls = form.controls();
    ScaleForDpi(form, controls, keepSizeNames(), screen.twipsPerPixelX(), screen.twipsPerPixelY());
    // From now on captions and wrapped texts are measured as the screen draws them.
    form.setTextMeasure([&screen](const QString& text, const Font& font) { return screen.textWidth(text, font); });
    form.relayout();
}

void SettingsPage::setApplication(Application& application)
{
    setHost(&application);
    d_->notifySubscription = Subscription<QString, QString, QString, QVariant>(
        application.Notify, [this](const QString& sender, const QString& form, const QString& action,
                                   const QVariant& value) { Notify(sender, form, action, value); });
    // Pages hosted in this page's frames are attached to the same host.
    for (Control* c : d_->form.controls()) {
        if (auto* hosted = dynamic_cast<HostedPage*>(c))
            hosted->setApplication(application);
    }
    IsLoading = guardsFill();
    try {
        guarded(fillProcedure(), [this] {
            d_->bindings.fill();
            Fill();
        });
    } catch (...) {
        IsLoading = false;
        throw;
    }
    IsLoading = false;
    followSettings();
}

void SettingsPage::fillAgain()
{
    fillKeepingView([this] {
        d_->bindings.fill();
        Fill();
    });
}

void SettingsPage::fillKeepingView(const std::function<void()>& fill)
{
    const KeptView kept(d_->form, d_->bindings, d_->filled);
    {
        const bool wasLoading = std::exchange(IsLoading, IsLoading || guardsFill());
        const auto restore = qScopeGuard([&] { IsLoading = wasLoading; });
        guarded(fillProcedure(), [&] {
            fill();
            d_->filled = KeptView::choicesOf(d_->form, d_->bindings);
            kept.restoreTyped();
            d_->bindings.refreshMarkers();
        });
    }
    kept.restoreChoices();
}

namespace {

// Whether a page shows one of these settings of object: a control bound to
// it, one the page's own fill puts it into, or a setting its block places on
// this page (a list or choice the page fills by hand).
bool showsAnyOf(const QString& page, const Bindings& bindings, const SettingsObject& object, bool own, bool global,
                const QStringList& names)
{
    for (const QString& name : names) {
        if (object.contains(name) && object.setting(name).shown().page.compare(page, Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const auto& binding : bindings.all()) {
        const SettingBase& s = binding->boundSetting();
        if (&s.owner() == &object && names.contains(s.name()))
            return true;
    }
    for (const SettingPresentation& p : bindings.presentations()) {
        if (names.contains(p.name) && ((own && p.object == u"Setup"_s) || (global && p.object == u"GlobalSetup"_s)))
            return true;
    }
    return false;
}

} // namespace

void SettingsPage::followSettings()
{
    d_->setupChanged = {};
    d_->globalChanged = {};
    // A page without its settings object has nothing to follow.
    if (!d_->setup)
        return;
    d_->filled = KeptView::choicesOf(d_->form, d_->bindings);
    // As the fill shows a setting, with the page's own change handlers as
    // silent as during the fill. What the page works out from its settings
    // itself (a preview, what a choice enables, a dependent list) comes from
    // its own Fill, which runs again, keeping what the user made of the page
    // since it was last filled.
    const auto follow = [this](const SettingsBlock& block, const QStringList& names) {
        const SettingsObject& object = block.owner();
        const bool read = &object == d_->setup && std::find(d_->fillReads.begin(), d_->fillReads.end(),
                                                            std::type_index(typeid(block))) != d_->fillReads.end();
        if (!read &&
            !showsAnyOf(componentName(), d_->bindings, object, &object == d_->setup, &object == &GlobalSetup(), names))
            return;
        fillKeepingView([&] {
            d_->bindings.refresh(object, names);
            Fill();
        });
    };
    d_->setupChanged = Subscription<const SettingsBlock&, const QStringList&>(d_->setup->Changed, follow);
    Settings& global = GlobalSetup();
    if (&global != d_->setup)
        d_->globalChanged = Subscription<const SettingsBlock&, const QStringList&>(global.Changed, follow);
}

void SettingsPage::SetApplication(Application& application)
{
    setSetup(application.SettingsObject());
    setApplication(application);
}

void SettingsPage::Notify(const QString&, const QString&, const QString&, const QVariant&) {}

QString SettingsPage::errorContext() const { return ReportTexts::PageContextPrefix + Titel(); }

Settings& SettingsPage::Setup() const
{
    if (!d_->setup)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet,
                           u"Objectvariabele of blokvariabele With is niet ingesteld"_s);
    return *d_->setup;
}

Settings& SettingsPage::GlobalSetup() const { return app().GlobalSetup(); }

Ui& SettingsPage::ui() const { return app().ui(); }

void SettingsPage::setBackColor(Colour colour)
{
    d_->form.setBackColor(colour);
    std::vector<Control*> controls = d_->form.controls();
    SetControlsBackColor(controls, colour, {}, SystemColour::ButtonFace);
}

void SettingsPage::Validation(bool& Cancel, qint16 Controle_Nr)
{
    guarded([&] {
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

std::vector<qint16> SettingsPage::validationCheckNumbers()
{
    std::vector<qint16> numbers;
    for (const ValidationCheck& check : validationChecks())
        numbers.push_back(check.number);
    return numbers;
}

void SettingsPage::stackFrames(std::vector<Frame*> frames)
{
    d_->stackedFrames = std::move(frames);
    d_->stackedWidths.clear();
    for (const Frame* frame : d_->stackedFrames)
        d_->stackedWidths.push_back(frame->width());
    d_->form.setRootLayout([this] { layoutStackedFrames(); });
    // The host sets the page's width; the frames follow it.
    d_->form.Resize.connect([this] {
        if (!IsResizing && d_->form.width() != d_->laidOutWidth)
            d_->form.relayout();
    });
    // Until the host gives a width the page is as narrow as its frames allow.
    IsResizing = true;
    d_->form.setWidth(0);
    IsResizing = false;
    layoutStackedFrames();
}

int SettingsPage::minimumWidth() const
{
    int widest = 0;
    for (std::size_t i = 0; i < d_->stackedFrames.size(); ++i) {
        const ContainerLayout* layout = d_->form.layoutOf(*d_->stackedFrames[i]);
        widest = std::max(widest, layout ? layout->minimumWidth() : d_->stackedWidths[i]);
    }
    return d_->stackedFrames.empty() ? d_->form.width() : widest;
}

namespace {

// Gives the stacked frames one field column and says where their labels
// stand; returns the width at which they stand beside their fields.
int lineUpFrames(const std::vector<Frame*>& frames, bool labelsAbove)
{
    int column = 0;
    for (const Frame* frame : frames)
        column = std::max(column, RowLayout::fieldColumnOf(*frame));
    int beside = 0;
    for (const Frame* frame : frames) {
        RowLayout::alignFields(*frame, column, labelsAbove);
        beside = std::max(beside, RowLayout::besideWidthOf(*frame));
    }
    return beside;
}

} // namespace

void SettingsPage::layoutStackedFrames()
{
    if (IsResizing || d_->stackedFrames.empty())
        return;
    IsResizing = true;
    const int oldHeight = d_->form.height();
    const int narrowest = minimumWidth();
    // One label column down the whole page; where the pane is too narrow for
    // labels beside their fields, every frame puts them above.
    const int beside = lineUpFrames(d_->stackedFrames, false);
    // Until the host gives a width the page takes the width its labels stand beside their fields at.
    const int asked = d_->form.width() > 0 ? d_->form.width() : beside;
    const int frameWidth = std::clamp(asked, narrowest, std::max(narrowest, RowLayout::ReadableWidth));
    if (frameWidth < beside)
        lineUpFrames(d_->stackedFrames, true);
    int bottom = 0;
    bool first = true;
    for (Frame* frame : d_->stackedFrames) {
        // A hidden frame gives its place back.
        if (!frame->visible())
            continue;
        const int top = first ? 0 : bottom + 60;
        frame->move(0, top);
        if (ContainerLayout* layout = d_->form.layoutOf(*frame))
            layout->apply(frameWidth);
        else
            frame->setWidth(frameWidth);
        bottom = frame->bottom();
        first = false;
    }
    d_->laidOutWidth = std::max(asked, frameWidth);
    d_->form.setBounds(d_->form.left(), d_->form.top(), d_->laidOutWidth, bottom);
    IsResizing = false;
    if (d_->form.height() != oldHeight)
        HeightChanged();
}

} // namespace tarvelo
