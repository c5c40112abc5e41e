#pragma once

#include "app/render/QtConversions.h"
#include "framework/forms/Control.h"

#include <QHash>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tarvelo {

class CToolTip;
class ControlView;
class Form;
class ToolTipView;
class ViewRegistry;

// A page or dialog of the control model drawn with Qt widgets: every control
// at its twips position, following every property change of the model, and
// every user input handed to the control's user actions. It holds no page
// logic. The form must outlive the view, or the view must let go of it first.
// Which view draws which control comes from a view registry: the standard
// views unless the view is given its own.
class FormView : public QWidget {
public:
    FormView(Form& form, TwipsScale scale, QWidget* parent = nullptr);
    FormView(Form& form, TwipsScale scale, const ViewRegistry& views, QWidget* parent = nullptr);
    ~FormView() override;

    Form& form() const { return form_; }
    const TwipsScale& scale() const { return scale_; }
    const ViewRegistry& viewRegistry() const { return viewRegistry_; }

    // Stops following the form at once, before it may be destroyed: no view
    // reads its control any more and the widgets go with the view.
    void letGo();

    // The widget that draws a control, or null.
    QWidget* widgetOf(const Control& control) const;

    // Lists whose rows changed are redrawn once per turn of the event loop;
    // this redraws them now (before grabbing a picture, say), also in the
    // forms of embedded pages and user controls.
    void flushPending();

    // The user pressed Escape or closed the window: the form's cancel button
    // is pressed when the user can reach it. False when the form has none.
    bool pressCancelButton();
    // The user pressed Enter: the text box being edited validates first, then
    // the form's default button is pressed when the user can reach it. False
    // when the form has none.
    bool pressDefaultButton();

    // The tab order follows the layout (rows top to bottom, each left to
    // right, into frames and embedded forms where they stand) and every field
    // is named by its label, for the access key and for screen readers. Both
    // follow the form once per turn of the event loop; this brings them up to
    // date now.
    void refreshAccess();
    // The widgets Tab visits, in their order, also those of the forms drawn
    // inside this one.
    std::vector<QWidget*> tabChain() const;

    // The user leaves the form (another page, a button of the host): the text
    // box being edited validates first, also one in a form drawn inside this
    // one. False when its validation kept the user there.
    bool leaveFocusedControl();

    // The page gave a control the focus: the host scrolls it into view.
    std::function<void(QWidget*)> onControlFocused;
    // The form's own size changed.
    std::function<void()> onResized;
    // The form was hidden, which ends a modal run.
    std::function<void()> onHidden;
    // A control's setting marker changed (a setting reached or left its default).
    std::function<void()> onMarkerChanged;
    // The outermost view chained its widgets again (the host places the chain
    // among its own).
    std::function<void()> onTabsOrdered;

    // For the control views.
    void schedule(ControlView& view);
    void giveFocus(ControlView& view);
    void noteFocus(Control& control);
    void runLeaving(const std::function<void()>& leave);
    // A text box refused to be left: the focus goes back to it.
    void refuseLeaving(ControlView& view);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Redraws this form's own pending lists.
    void flushOwn();
    void observe(Control& control, Property property);
    ControlView* addView(Control& control);
    void dropView(const Control& control);
    QWidget* containerWidget(const Control& control) const;
    void syncFormProperty(Property property);
    void syncToolTip(const Control& control);
    // The labels naming a field follow its text's baseline.
    void alignLabelsOf(const Control& field);
    void focusNow(ControlView& view);
    void scheduleAccess();
    // Pairs labels with their fields and names every field.
    void nameFields();
    // Chains the widgets of this form, and of the forms drawn inside it, in
    // reading order; done by the outermost form view.
    void orderTabs();
    void appendTabWidgets(std::vector<QWidget*>& chain) const;
    FormView* outerView() const;

    Form& form_;
    TwipsScale scale_;
    const ViewRegistry& viewRegistry_;
    std::vector<std::unique_ptr<ControlView>> views_;
    QHash<const Control*, ControlView*> viewOf_;
    struct ShownToolTip {
        const CToolTip* tip = nullptr;
        std::unique_ptr<ToolTipView> view;
    };
    std::unordered_map<const Control*, ShownToolTip> toolTips_;
    QSet<ControlView*> pending_;
    QTimer flushTimer_;
    QTimer accessTimer_;
    bool leaving_ = false;
    bool noting_ = false;
    bool refused_ = false;
    bool detached_ = false;
};

} // namespace tarvelo
