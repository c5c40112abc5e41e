#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

#include <vector>

namespace tarvelo {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

class TARVELO_EXPORT Label : public Control {
public:
    Label(Form& form, const QString& name, int index, Control* parent)
        : Label(form, ControlKind::Label, name, index, parent)
    {
    }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption)
    {
        if (caption_ == caption)
            return;
        caption_ = caption;
        changed(Property::Caption);
        if (paragraph_)
            paragraph_->changed(Property::Caption);
    }

    // Labels that read on in this label's paragraph, such as a term in bold in
    // the middle of a sentence. Each keeps its caption and font, but is drawn
    // inside this label after its caption, so that the paragraph wraps as one
    // text; on its own it is no longer shown.
    void continueWith(Label& run)
    {
        run.paragraph_ = this;
        run.setVisible(false);
        runs_.push_back(&run);
        changed(Property::Caption);
    }
    const std::vector<Label*>& runs() const { return runs_; }

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a)
    {
        alignment_ = a;
        changed(Property::Other);
    }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on)
    {
        wordWrap_ = on;
        changed(Property::Other);
    }

    // A link label shows the hand pointer while the mouse is over it (the
    // default pointer everywhere else) and is drawn as a link.
    bool isLink() const { return link_; }
    void setLink(bool on)
    {
        link_ = on;
        changed(Property::Other);
    }

    // The field this label names: its "&" mnemonic moves the focus there, and
    // the field is announced by this label's caption.
    Control* buddy() const { return buddy_; }
    void setBuddy(Control* field)
    {
        buddy_ = field;
        changed(Property::Other);
    }

    Event<> Click;
    bool click() { return userAction(Click); }

protected:
    Label(Form& form, ControlKind kind, const QString& name, int index, Control* parent)
        : Control(form, kind, name, index, parent)
    {
    }

private:
    QString caption_;
    Alignment alignment_ = Alignment::Left;
    bool wordWrap_ = false;
    bool link_ = false;
    Control* buddy_ = nullptr;
    std::vector<Label*> runs_;
    Label* paragraph_ = nullptr;
};

// An explanatory text next to a field, drawn in the hint style.
class TARVELO_EXPORT Hint : public Label {
public:
    Hint(Form& form, const QString& name, int index, Control* parent)
        : Label(form, ControlKind::Hint, name, index, parent)
    {
        setWordWrap(true);
    }

    const QString& text() const { return caption(); }
    void setText(const QString& text) { setCaption(text); }
};

} // namespace tarvelo
