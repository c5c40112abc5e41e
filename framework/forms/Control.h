#pragma once

#include "TarveloExport.h"

#include "framework/forms/Colour.h"
#include "framework/forms/Font.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace tarvelo {

class Form;
template <class... Args>
class Event;

enum class ControlKind {
    Form,
    Frame,
    Label,
    TextBox,
    CheckBox,
    OptionButton,
    ComboBox,
    ListBox,
    ListView,
    CommandButton,
    Image,
    Hint,
    YesNo,
    Address,
    ProgressBar,
    Line,
    // A control that draws a whole form inside itself: a hosted page or a user control.
    Embedded,
};

// What changed on a control, so that a renderer can follow the model.
enum class Property {
    Bounds,
    Visible,
    Enabled,
    Caption,
    Text,
    Value,
    Items,
    Selection,
    Columns,
    BackColor,
    ForeColor,
    Font,
    ToolTip,
    Picture,
    Focus,
    Other,
    // An embedded control shows another inner form, or none.
    Contents,
    // The control leaves its form; sent while it still exists, so that whoever
    // draws it lets go first.
    Removed,
    // The marker of the setting the control shows changed (see SettingMarker).
    Marker,
};

// What a control bound to a setting shows beside it: nothing, a quiet mark for
// a setting that differs from its default, or the lock of a setting the office
// administrator has fixed (the control cannot be used then).
enum class SettingMarker { None, ChangedFromDefault, Locked };

// One control of a form. Positions and sizes are twips. Everything a user can do
// with a control is a method on it (click, type, leave, select, ...), so that a
// test and the renderer drive the same code.
class TARVELO_EXPORT Control {
public:
    Control(Form& form, ControlKind kind, QString name, int index, Control* parent);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    int index() const { return index_; } // -1 unless the control belongs to a control array
    Form& form() const { return form_; }
    Control* parent() const { return parent_; } // the frame or form that holds it
    bool isContainer() const { return kind_ == ControlKind::Form || kind_ == ControlKind::Frame; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int right() const { return left_ + width_; }
    int bottom() const { return top_ + height_; }
    virtual void setBounds(int left, int top, int width, int height);
    void setLeft(int v) { setBounds(v, top_, width_, height_); }
    void setTop(int v) { setBounds(left_, v, width_, height_); }
    void setWidth(int v) { setBounds(left_, top_, v, height_); }
    void setHeight(int v) { setBounds(left_, top_, width_, v); }
    void move(int left, int top) { setBounds(left, top, width_, height_); }

    bool visible() const { return visible_; }
    void setVisible(bool on);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // Whether a user can reach the control: it and every container around it
    // are enabled and visible, up through the control that draws its form
    // inside another one.
    bool isUsable() const;

    // Controls without a background colour (images, lines, progress bars) say so;
    // setting one on them is ignored, as the recolouring rules require.
    bool hasBackColor() const { return backColor_.has_value(); }
    Colour backColor() const { return backColor_.value_or(SystemColour::ButtonFace); }
    // Virtual because a control with controls of its own passes the colour on.
    virtual void setBackColor(Colour colour);
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour colour);

    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setFontSize(double points);
    void setFontBold(bool bold);

    const QString& toolTipText() const { return toolTipText_; }
    void setToolTipText(const QString& text);

    QVariant tag() const { return tag_; }
    void setTag(const QVariant& tag) { tag_ = tag; }

    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int v) { tabIndex_ = v; }

    SettingMarker settingMarker() const { return settingMarker_; }
    void setSettingMarker(SettingMarker marker, const QString& note = QString());
    // What the changed marker says of the setting, in the screen's words.
    const QString& settingMarkerNote() const { return settingMarkerNote_; }

    // Gives the control the focus (a renderer shows it; tests read it back).
    void setFocus();
    bool hasFocus() const;

protected:
    void changed(Property property);
    // Runs a user's action, or nothing when the control cannot be reached; an
    // error that escapes the handlers goes to the form's unhandled-error handler.
    bool userAction(const std::function<void()>& action);
    // Raises the event as the user's action (a click, a double click).
    bool userAction(const Event<>& event);
    void noBackColor() { backColor_.reset(); }
    void initialBackColor(Colour colour) { backColor_ = colour; }

private:
    Form& form_;
    ControlKind kind_;
    QString name_;
    int index_;
    Control* parent_;
    int left_ = 0, top_ = 0, width_ = 1215, height_ = 315;
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<Colour> backColor_ = SystemColour::ButtonFace;
    Colour foreColor_ = SystemColour::ButtonText;
    Font font_;
    QString toolTipText_;
    QVariant tag_;
    int tabIndex_ = 0;
    SettingMarker settingMarker_ = SettingMarker::None;
    QString settingMarkerNote_;
};

} // namespace tarvelo
