#include "framework/page/SettingsPage.h"

#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/DpiScaling.h"
#include "framework/page/HostedPage.h"
#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

SettingsPage::SettingsPage(const QString& componentName)
    : Procedures(componentName, [this] { return errorContext(); }, ReportTexts::Message),
      form_(componentName),
      bindings_({*this, [this]() -> SettingsObject& { return Setup(); },
                 [this]() -> SettingsObject& { return GlobalSetup(); }, [this] { return IsLoading; }})
{
    form_.setBackColor(SystemColour::ButtonFace);
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::Initialize(const Ui& screen)
{
    std::vector<Control*> controls = form_.controls();
    ScaleForDpi(form_, controls, keepSizeNames(), screen.twipsPerPixelX(), screen.twipsPerPixelY());
    // From now on captions and wrapped texts are measured as the screen draws them.
    form_.setTextMeasure([&screen](const QString& text, const Font& font) { return screen.textWidth(text, font); });
    form_.relayout();
}

void SettingsPage::setApplication(Application& application)
{
    setHost(&application);
    notifySubscription_ = Subscription<QString, QString, QString, QVariant>(
        application.Notify, [this](const QString& sender, const QString& form, const QString& action,
                                   const QVariant& value) { Notify(sender, form, action, value); });
    // Pages hosted in this page's frames are attached to the same host.
    for (Control* c : form_.controls()) {
        if (auto* hosted = dynamic_cast<HostedPage*>(c))
            hosted->setApplication(application);
    }
    IsLoading = guardsFill();
    try {
        guarded(fillProcedure(), [this] {
            bindings_.fill();
            Fill();
        });
    } catch (...) {
        IsLoading = false;
        throw;
    }
    IsLoading = false;
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
    if (!setup_)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, u"Objectvariabele of blokvariabele With is niet ingesteld"_s);
    return *setup_;
}

Settings& SettingsPage::GlobalSetup() const { return app().GlobalSetup(); }

Ui& SettingsPage::ui() const { return app().ui(); }

void SettingsPage::setBackColor(Colour colour)
{
    form_.setBackColor(colour);
    std::vector<Control*> controls = form_.controls();
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
    stackedFrames_ = std::move(frames);
    stackedWidths_.clear();
    for (const Frame* frame : stackedFrames_)
        stackedWidths_.push_back(frame->width());
    form_.setRootLayout([this] { layoutStackedFrames(); });
    // The host sets the page's width; the frames follow it.
    form_.Resize.connect([this] {
        if (!IsResizing && form_.width() != laidOutWidth_)
            form_.relayout();
    });
    // Until the host gives a width the page is as narrow as its frames allow.
    IsResizing = true;
    form_.setWidth(0);
    IsResizing = false;
    layoutStackedFrames();
}

int SettingsPage::minimumWidth() const
{
    int widest = 0;
    for (std::size_t i = 0; i < stackedFrames_.size(); ++i) {
        const ContainerLayout* layout = form_.layoutOf(*stackedFrames_[i]);
        widest = std::max(widest, layout ? layout->minimumWidth() : stackedWidths_[i]);
    }
    return stackedFrames_.empty() ? form_.width() : widest;
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
    if (IsResizing || stackedFrames_.empty())
        return;
    IsResizing = true;
    const int oldHeight = form_.height();
    const int narrowest = minimumWidth();
    // One label column down the whole page; where the pane is too narrow for
    // labels beside their fields, every frame puts them above.
    const int beside = lineUpFrames(stackedFrames_, false);
    // Until the host gives a width the page takes the width its labels stand beside their fields at.
    const int asked = form_.width() > 0 ? form_.width() : beside;
    const int frameWidth = std::clamp(asked, narrowest, std::max(narrowest, RowLayout::ReadableWidth));
    if (frameWidth < beside)
        lineUpFrames(stackedFrames_, true);
    int bottom = 0;
    bool first = true;
    for (Frame* frame : stackedFrames_) {
        // A hidden frame gives its place back.
        if (!frame->visible())
            continue;
        const int top = first ? 0 : bottom + 60;
        frame->move(0, top);
        if (ContainerLayout* layout = form_.layoutOf(*frame))
            layout->apply(frameWidth);
        else
            frame->setWidth(frameWidth);
        bottom = frame->bottom();
        first = false;
    }
    laidOutWidth_ = std::max(asked, frameWidth);
    form_.setBounds(form_.left(), form_.top(), laidOutWidth_, bottom);
    IsResizing = false;
    if (form_.height() != oldHeight)
        HeightChanged();
}

} // namespace tarvelo
