#include "framework/tooltip/CToolTip.h"

#include "framework/forms/Form.h"

#include <algorithm>
#include <vector>

namespace tarvelo {

const CToolTip* CToolTip::on(const Control& tool) { return tool.form().toolTipOf(tool); }

CToolTip::~CToolTip() { Destroy(); }

bool CToolTip::Create(Control& tool)
{
    Destroy();
    using Style = ToolTipWindow::WindowStyle;
    using Flag = ToolTipWindow::ToolFlag;
    ToolTipWindow window;
    window.tool = &tool;
    window.windowStyle = Style::AlwaysTip | Style::NoPrefix;
    if (style_ == ttStyleEnum::TTBalloon)
        window.windowStyle |= Style::Balloon;
    window.toolFlags = Flag::Subclass | Flag::IdIsWindow;
    if (centered_)
        window.toolFlags |= Flag::CenterTip;
    window.text = tipText_;
    window.foreColor = foreColor_;
    window.backColor = backColor_;
    window.autoPop = visibleTime_;
    window.initialDelay = delayTime_;
    window_ = std::move(window);
    tool.form().attachToolTip(tool, this);
    showTitle();
    notify();
    return true;
}

void CToolTip::Destroy()
{
    if (!window_)
        return;
    Control* tool = window_->tool;
    window_.reset();
    tool->form().detachToolTip(this);
    notify(tool);
}

void CToolTip::showTitle()
{
    if (!window_)
        return;
    // A title line appears as soon as there is either a title or an icon.
    window_->showsTitle = !title_.isEmpty() || icon_ != ttIconType::TTNoIcon;
    window_->title = window_->showsTitle ? title_ : QString();
    window_->icon = window_->showsTitle ? icon_ : ttIconType::TTNoIcon;
}

void CToolTip::setIcon(ttIconType icon)
{
    icon_ = icon;
    if (window_) {
        showTitle();
        notify();
    }
}

void CToolTip::setTitle(const QString& title)
{
    title_ = title;
    if (window_) {
        showTitle();
        notify();
    }
}

void CToolTip::setTipText(const QString& text)
{
    tipText_ = text;
    if (window_) {
        window_->text = text;
        notify();
    }
}

void CToolTip::setForeColor(Colour colour)
{
    foreColor_ = colour;
    if (window_) {
        window_->foreColor = colour;
        notify();
    }
}

void CToolTip::setBackColor(Colour colour)
{
    backColor_ = colour;
    if (window_) {
        window_->backColor = colour;
        notify();
    }
}

void CToolTip::notify() const { notify(window_ ? window_->tool : nullptr); }

void CToolTip::notify(Control* tool) const
{
    if (observer_)
        observer_(*this);
    if (tool)
        tool->form().notifyChanged(*tool, Property::ToolTip);
}

} // namespace tarvelo
