#include "framework/page/FieldButtons.h"

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Label.h"
#include "framework/util/AccessKey.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
QString captionOf(const Control& c)
{
    if (c.kind() == ControlKind::Label)
        return static_cast<const Label&>(c).caption();
    if (c.kind() == ControlKind::CheckBox)
        return static_cast<const CheckBox&>(c).caption();
    return QString();
}

// The label that names the field, else the caption just before it in its row
// (a check box that switches the field on).
QString labelOf(const Control& field)
{
    for (const Control* c : field.form().controls()) {
        if (c->kind() == ControlKind::Label && static_cast<const Label*>(c)->buddy() == &field)
            return withoutAccessKey(static_cast<const Label*>(c)->caption()).trimmed();
    }
    const Control* before = nullptr;
    for (const Control* c : field.form().controls()) {
        if (c->parent() != field.parent() || c->right() > field.left() || c->bottom() <= field.top() ||
            c->top() >= field.bottom() || captionOf(*c).isEmpty())
            continue;
        if (!before || c->right() > before->right())
            before = c;
    }
    return before ? withoutAccessKey(captionOf(*before)).trimmed() : QString();
}
} // namespace

QString fieldButtonText(FieldButton does, const QString& fieldCaption)
{
    QString caption = fieldCaption.trimmed();
    if (caption.endsWith(u':'))
        caption.chop(1);
    const QString what = [does] {
        switch (does) {
        case FieldButton::ChooseFolder: return u"Map kiezen"_s;
        case FieldButton::ChooseFile: return u"Bestand kiezen"_s;
        case FieldButton::ChooseColour: return u"Kleur kiezen"_s;
        case FieldButton::ClearFolder: return u"Map wissen"_s;
        case FieldButton::ClearFile: return u"Bestand wissen"_s;
        }
        return QString();
    }();
    return caption.isEmpty() ? what : what + u" voor "_s + caption;
}

void describeFieldButton(CommandButton& button, FieldButton does, const Control& field, const QString& fieldCaption)
{
    const QString label = labelOf(field);
    button.setToolTipText(fieldButtonText(does, label.isEmpty() ? withoutAccessKey(fieldCaption) : label));
}

} // namespace tarvelo
