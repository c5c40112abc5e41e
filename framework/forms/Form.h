#pragma once

#include "TarveloExport.h"

#include "framework/forms/ContainerLayout.h"
#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

#include <exception>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

namespace tarvelo {

class CToolTip;

// A page or dialog: owns its controls, finds them by name and index, and tells
// one observer (the renderer) about every property change.
class TARVELO_EXPORT Form : public Control {
public:
    explicit Form(QString name);
    ~Form() override;

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    // A page has no border: its inner height is its height. Dialogs with a
    // title bar set the border's share so that scaling leaves it alone.
    int borderHeight() const { return borderHeight_; }
    void setBorderHeight(int twips) { borderHeight_ = twips; }
    int innerHeight() const { return height() - borderHeight_; }

    void setBounds(int left, int top, int width, int height) override;

    // A control inside parent (this form or one of its frames), with its
    // caption (or a hint or text box with its text); index for control arrays.
    template <class T>
    T& add(Control& parent, const QString& name, const QString& caption = QString(), int index = -1)
    {
        T& control = create<T>(name, &parent, index);
        if (caption.isEmpty())
            return control;
        if constexpr (requires { control.setCaption(caption); })
            control.setCaption(caption);
        else if constexpr (requires { control.setText(caption); })
            control.setText(caption);
        return control;
    }
    // The same without a caption, for code that creates controls by kind
    // (the component factory).
    template <class T>
    T& create(const QString& name, Control* parent = nullptr, int index = -1)
    {
        auto control = std::make_unique<T>(*this, name, index, parent ? parent : this);
        T& ref = *control;
        controls_.push_back(std::move(control));
        notifyChanged(ref, Property::Other);
        return ref;
    }

    // Layouts kept so that they apply again (see ContainerLayout). A second
    // layout for the same container replaces the first. The root layout (the
    // page's stacked frames) runs last in every pass.
    void addLayout(std::unique_ptr<ContainerLayout> layout);
    ContainerLayout* layoutOf(const Control& container) const;
    void setRootLayout(std::function<void()> root) { rootLayout_ = std::move(root); }
    // Applies every layout again at its container's width, then the root.
    void relayout();
    // Marks a control as placed by a layout: showing or hiding it lays the
    // form out again, and so does a new caption where the caption decides
    // the size (wrapped texts, frames).
    void noteLaidOut(const Control& control, bool followsCaption = false)
    {
        laidOut_.insert(&control);
        if (followsCaption)
            captionSized_.insert(&control);
    }

    // Width of a text in twips in a font, as the screen draws it. Without a
    // screen (before the host attaches the form) an estimate that errs wide.
    using TextMeasure = std::function<int(const QString&, const Font&)>;
    void setTextMeasure(TextMeasure measure) { textMeasure_ = std::move(measure); }
    bool measuresText() const { return bool(textMeasure_); }
    int textWidth(const QString& text, const Font& font) const;

    // Takes a control and everything inside it off the form. Whoever draws the
    // form hears Removed for each, contents before their container, while they
    // still exist; then they are destroyed. A tip created on a removed control
    // is the page's to destroy first. Removing the form itself, or a control
    // of another form, is a programming error and throws.
    void remove(Control& control);

    // The control of another form that draws this form inside itself, or null.
    // Set by that control; a user reaches this form's controls only through it.
    Control* embeddedIn() const { return embeddedIn_; }
    void setEmbeddedIn(Control* control) { embeddedIn_ = control; }

    // The control with this name (and index for control arrays); a name that
    // is not on the form is a programming error and throws.
    Control& control(const QString& name, int index = -1) const;
    Control* find(const QString& name, int index = -1) const;
    template <class T>
    T& get(const QString& name, int index = -1) const
    {
        return dynamic_cast<T&>(control(name, index));
    }

    // Whether the control is on this form now (added and not removed).
    bool contains(const Control& control) const;
    // Every control in the order it was added (a container before its contents).
    std::vector<Control*> controls() const;
    std::vector<Control*> childrenOf(const Control& container) const;
    // Every element of one control array, by ascending index.
    std::vector<Control*> array(const QString& name) const;

    // Tooltips created on this form's controls, newest last, so that whoever
    // draws the form shows the newest one of a control. The form only points
    // at them; each tip detaches itself when it is destroyed.
    void attachToolTip(const Control& control, const CToolTip* tip) { toolTips_.emplace_back(&control, tip); }
    void detachToolTip(const CToolTip* tip)
    {
        std::erase_if(toolTips_, [tip](const auto& entry) { return entry.second == tip; });
    }
    const CToolTip* toolTipOf(const Control& control) const
    {
        for (auto it = toolTips_.rbegin(); it != toolTips_.rend(); ++it) {
            if (it->first == &control)
                return it->second;
        }
        return nullptr;
    }

    Control* focusedControl() const { return focused_; }
    void setFocusedControl(Control* control);

    // Dialogs: the page reads results only while the dialog is loaded; hiding
    // ends a modal run.
    void show();
    void hide();
    Event<> Closed;

    Event<> Resize;
    // The user pressed a mouse button on the form's own background, at (x, y)
    // in twips from its top left corner.
    Event<int, int> MouseDown;

    // The renderer's view of the model: called after every property change.
    using Observer = std::function<void(Control&, Property)>;
    void setObserver(Observer observer) { observer_ = std::move(observer); }
    void notifyChanged(Control& control, Property property);

    // Where an error that escapes an unguarded event handler goes when it was
    // raised by a user's action: the host's general error handling for
    // controls. Without a handler it is written to the log; the program goes on.
    using ErrorHandler = std::function<void(Form&, std::exception_ptr)>;
    void setUnhandledErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
    bool runUserAction(const std::function<void()>& action);
    void reportUnhandled(std::exception_ptr error);

private:
    QString caption_;
    int borderHeight_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focused_ = nullptr;
    std::vector<std::pair<const Control*, const CToolTip*>> toolTips_;
    Observer observer_;
    ErrorHandler errorHandler_;
    Control* embeddedIn_ = nullptr;
    std::vector<std::unique_ptr<ContainerLayout>> layouts_;
    std::function<void()> rootLayout_;
    std::unordered_set<const Control*> laidOut_;
    std::unordered_set<const Control*> captionSized_;
    TextMeasure textMeasure_;
    bool relayouting_ = false;
};

} // namespace tarvelo
