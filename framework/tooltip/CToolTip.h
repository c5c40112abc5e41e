#pragma once

#include "framework/forms/Colour.h"

#include <QString>
#include <functional>
#include <optional>

namespace tarvelo {

class Control;

enum class ttStyleEnum { TTStandard = 0, TTBalloon = 1 };
enum class ttIconType { TTNoIcon = 0, TTIconInfo = 1, TTIconWarning = 2, TTIconError = 3 };

// What a created tooltip shows: the state of its window, which a renderer
// mirrors. Delays and style are fixed when the tip is created.
struct ToolTipWindow {
    Control* tool = nullptr; // the control the tip belongs to
    int windowStyle = 0;     // 3, or 67 for a balloon
    int toolFlags = 0;       // 17, or 19 when centred below the tool
    QString text;
    bool showsTitle = false; // a title line, shown when there is a title or an icon
    QString title;
    ttIconType icon = ttIconType::TTNoIcon;
    std::optional<Colour> foreColor; // unset: the system's tooltip colours
    std::optional<Colour> backColor;
    int initialDelay = 0; // milliseconds before the tip appears
    int autoPop = 0;      // milliseconds the tip stays

    bool isBalloon() const { return (windowStyle & WindowStyle::Balloon) != 0; }
    bool isCentered() const { return (toolFlags & ToolFlag::CenterTip) != 0; }

    struct WindowStyle {
        static constexpr int AlwaysTip = 0x01;
        static constexpr int NoPrefix = 0x02;
        static constexpr int Balloon = 0x40;
    };
    struct ToolFlag {
        static constexpr int IdIsWindow = 0x01;
        static constexpr int CenterTip = 0x02;
        static constexpr int Subclass = 0x10;
    };
};

// A tooltip, optionally a balloon with a title and an icon, on one control.
// Until Create every property is only stored; on a created tip the text, the
// title, the icon and the colours take effect at once, style, centring and the
// two times at the next Create.
class CToolTip {
public:
    CToolTip() = default;
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;
    // Destroys the tip's window; destroy the tip before its control.
    ~CToolTip();

    ttStyleEnum Style() const { return style_; }
    void setStyle(ttStyleEnum style) { style_ = style; }
    bool Centered() const { return centered_; }
    void setCentered(bool on) { centered_ = on; }
    ttIconType Icon() const { return icon_; }
    void setIcon(ttIconType icon);
    const QString& Title() const { return title_; }
    void setTitle(const QString& title);
    const QString& TipText() const { return tipText_; }
    void setTipText(const QString& text);
    std::optional<Colour> ForeColor() const { return foreColor_; }
    void setForeColor(Colour colour);
    std::optional<Colour> BackColor() const { return backColor_; }
    void setBackColor(Colour colour);
    int DelayTime() const { return delayTime_; }
    void setDelayTime(int milliseconds) { delayTime_ = milliseconds; }
    int VisibleTime() const { return visibleTime_; }
    void setVisibleTime(int milliseconds) { visibleTime_ = milliseconds; }

    // Puts a new tip on tool (an existing one is destroyed first).
    bool Create(Control& tool);
    void Destroy();
    bool IsCreated() const { return window_.has_value(); }

    // The window as created, for a renderer and for checks; empty before Create.
    const std::optional<ToolTipWindow>& window() const { return window_; }
    int WindowStyle() const { return window_ ? window_->windowStyle : 0; }
    int ToolFlags() const { return window_ ? window_->toolFlags : 0; }

    // Told after the window was created, changed or destroyed (then window() is empty).
    using Observer = std::function<void(const CToolTip&)>;
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // The tip shown for tool: the one created on it last that still exists, or
    // null. Whoever draws the tool's form hears of every creation, change and
    // destruction of a tip on it as a ToolTip change of the tool.
    static const CToolTip* on(const Control& tool);

private:
    void showTitle();
    void notify() const;
    void notify(Control* tool) const;

    ttStyleEnum style_ = ttStyleEnum::TTStandard;
    bool centered_ = false;
    ttIconType icon_ = ttIconType::TTNoIcon;
    QString title_;
    QString tipText_;
    std::optional<Colour> foreColor_;
    std::optional<Colour> backColor_;
    int delayTime_ = 500;
    int visibleTime_ = 5000;
    std::optional<ToolTipWindow> window_;
    Observer observer_;
};

} // namespace tarvelo
