#pragma once

#include "app/render/QtConversions.h"
#include "framework/forms/Control.h"

#include <QObject>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace tarvelo {

class FormView;

// The quiet marks beside a bound control: a small dot for a setting that
// differs from its default, a padlock for one the administrator fixed.
// On a selected list entry (onSelection) the mark is drawn in the selection's
// text colour instead of the selection colour.
QPixmap markerPicture(SettingMarker marker, const QPalette& palette, bool onSelection = false);

// One control of the model drawn as a Qt widget. It follows the control's
// properties and hands the user's input to the control's user actions, and to
// nothing else: what the input means is the page's business.
class ControlView : public QObject {
public:
    ControlView(FormView& owner, Control& control);
    ~ControlView() override;

    Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // Where the controls contained in this one are placed (frames only).
    virtual QWidget* containerWidget() const { return nullptr; }

    // Follows one changed property of the control.
    void update(Property property);
    // Shows every property; run once when the view is built.
    void syncAll();
    // Lists (items, columns, selection) are redrawn at most once per turn of
    // the event loop, however many rows changed; the form view calls this.
    virtual void syncLists() {}

    // The control leaves the form, or the form view lets go of the form: from
    // now on the view neither reads the control nor hands it input, and its
    // widget is hidden and deleted once control is back in the event loop, as
    // the user's input that led here may still be running in it.
    void retire();
    bool retired() const { return !widget_; }

    // The widgets of this control that Tab reaches, in their order: the
    // widget itself, or the parts of a control drawn as several.
    std::vector<QWidget*> tabWidgets() const;
    // Names the control for a screen reader: its label's caption (byLabel),
    // or its frame's; an empty name leaves the control its own caption.
    void setAccessibleName(const QString& name, bool byLabel);
    // What the control answers, told beside its name: the question above
    // a group of options.
    void setAccessibleQuestion(const QString& question);

protected:
    // The widget must be created by the subclass's constructor.
    void setWidget(QWidget* widget);
    // A kind's own properties; the shared ones (bounds, visibility, enabled
    // state, colours, font, tooltip, focus) are handled here.
    virtual void syncProperty(Property property) = 0;
    // Which palette roles carry the control's background and text colours.
    virtual QPalette::ColorRole backgroundRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole foregroundRole() const { return QPalette::WindowText; }
    // Whether the widget paints its own background in the control's colour.
    // A control in its container's colour leaves the container's own drawing
    // (a frame's shading) visible; it would look the same filled.
    virtual bool opaque() const
    {
        return control_.hasBackColor() &&
               (!control_.parent() || control_.parent()->backColor() != control_.backColor());
    }
    // Whether the control is a field (text box, combo, list): drawn in the
    // field colours, and in the theme's disabled colours when disabled.
    virtual bool isField() const { return false; }
    // A field the user can read but not change (a locked text box).
    virtual bool readOnly() const { return false; }
    // Draws the colours again, after readOnly() changed.
    void refreshColours() { syncColours(); }
    // Lists defer their redraw to the form view.
    void scheduleLists();

    // Updates the widget from the model without its signals reaching the model.
    void silently(const std::function<void()>& update);
    bool syncing() const { return syncing_ > 0; }
    // Runs a user's input through the control; afterwards the widget shows the
    // model's state again, so a refused or altered input is not left on screen.
    void forward(const std::function<void()>& action);
    // Called after forward so that the widget shows the model's state.
    virtual void showModelState() {}
    // On retiring: lets go at once of whatever reads the control (a nested
    // form view, a list model), before the control may be destroyed.
    virtual void released() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The widget gained focus: the model learns which control has it.
    virtual void focusedByUser();
    // The widget lost focus to another control of the form.
    virtual void leftByUser() {}

    FormView& owner() const { return owner_; }
    const TwipsScale& scale() const;
    const QPalette& basePalette() const { return basePalette_; }
    // Watches focus and key events of a widget that belongs to this control.
    void watch(QWidget* part);
    // How far from the widget's right edge a marker drawn inside it starts.
    virtual int markerInset() const { return 13; }
    // A marker is drawn inside the widget's end (or no longer): a field keeps
    // its text clear of it.
    virtual void markerInside(bool) {}
    // The control's setting became locked, changed or plain: what the widget
    // itself shows of that.
    virtual void showMarkerState(SettingMarker) {}
    // Whether the control's setting is locked: its widget takes no input that
    // would change it (a text box is read-only instead).
    bool lockedSetting() const { return control_.settingMarker() == SettingMarker::Locked; }
    virtual bool readOnlyWhenLocked() const { return false; }

private:
    void syncBounds();
    void syncColours();
    void outlineSwatch();
    // The setting's marker beside the widget, the lock's disabled state and tooltip.
    void syncMarker();
    QRect markerSpot() const;
    // A locked setting's control stays enabled: the user reaches it with Tab
    // and hears why it cannot change; the model refuses the change.
    bool usable() const { return control_.enabled(); }
    // What the marker says, for the tooltip and for a screen reader.
    QString markerText() const;
    // The accessible description: what names the control where no label
    // does, and what its marker says.
    void describe();

    FormView& owner_;
    Control& control_;
    QPointer<QWidget> widget_;
    QPointer<QWidget> marker_;
    QString ownDescription_;
    QString partsDescription_;
    QPalette basePalette_;
    int syncing_ = 0;
};

// A control drawn in the field colours of the window (text boxes, combos,
// lists): its background and text take the palette's base roles, and it always
// paints its own background.
class FieldView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool opaque() const override { return false; }
    bool isField() const override { return true; }
};

} // namespace tarvelo
