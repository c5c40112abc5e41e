#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"
#include "framework/forms/Label.h"

namespace tarvelo {

// Change is raised on every change of the text, from a user or from code.
// Validate is raised when a user leaves the box after editing it; a handler
// that sets Cancel keeps the focus in the box.
class TARVELO_EXPORT TextBox : public Control {
public:
    TextBox(Form& form, const QString& name, int index, Control* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    int maxLength() const { return maxLength_; } // 0 = no limit
    void setMaxLength(int characters)
    {
        maxLength_ = characters;
        changed(Property::Other);
    }
    QChar passwordChar() const { return passwordChar_; }
    void setPasswordChar(QChar c)
    {
        passwordChar_ = c;
        changed(Property::Other);
    }
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool on)
    {
        multiLine_ = on;
        changed(Property::Other);
    }
    bool locked() const { return locked_; }
    void setLocked(bool on)
    {
        locked_ = on;
        changed(Property::Other);
    }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a)
    {
        alignment_ = a;
        changed(Property::Other);
    }

    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelection(int start, int length);

    Event<> Change;
    Event<bool&> Validate;

    // A user replaces the text (as by typing it); the box now holds an edit.
    bool type(const QString& text);
    // A user leaves the box: after an edit Validate runs; returns false when a
    // handler cancelled, so the focus stays in the box.
    bool leave();
    bool edited() const { return edited_; }

private:
    QString text_;
    int maxLength_ = 0;
    QChar passwordChar_;
    bool multiLine_ = false;
    bool locked_ = false;
    Alignment alignment_ = Alignment::Left;
    int selStart_ = 0, selLength_ = 0;
    bool edited_ = false;
};

} // namespace tarvelo
