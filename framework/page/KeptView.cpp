#include "framework/page/KeptView.h"

#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/Bindings.h"

#include <QSet>
#include <algorithm>

namespace tarvelo {

namespace {

// A control that shows a setting shows what is stored now, not what it showed.
QSet<std::pair<QString, int>> settingControls(const Form& form, const Bindings& bindings)
{
    QSet<std::pair<QString, int>> shown;
    for (const SettingPresentation& p : bindings.presentations())
        shown.insert({p.control, p.controlIndex});
    for (const Control* control : form.controls()) {
        if (bindings.bindingOf(*control))
            shown.insert({control->name(), control->index()});
    }
    return shown;
}

} // namespace

KeptView::Choices KeptView::choicesOf(const Form& form, const Bindings& bindings)
{
    const auto shown = settingControls(form, bindings);
    Choices choices;
    for (const Control* control : form.controls()) {
        if (shown.contains({control->name(), control->index()}))
            continue;
        if (auto* combo = dynamic_cast<const ComboBox*>(control); combo && combo->listIndex() >= 0)
            choices.push_back({combo->name(), combo->index(), combo->list(combo->listIndex())});
        else if (auto* list = dynamic_cast<const ListView*>(control); list && list->selectedItem())
            choices.push_back({list->name(), list->index(), list->selectedItem()->key()});
    }
    return choices;
}

KeptView::KeptView(Form& form, const Bindings& bindings, const Choices& asFilled) : form_(form)
{
    for (Control* control : form.controls()) {
        if (auto* box = dynamic_cast<TextBox*>(control); box && box->edited())
            typed_.push_back({box->name(), box->index(), box->text(), box->selStart(), box->selLength()});
    }
    for (const Choice& now : choicesOf(form, bindings)) {
        const bool asLeft = std::any_of(asFilled.begin(), asFilled.end(), [&](const Choice& filled) {
            return filled.name == now.name && filled.index == now.index && filled.value == now.value;
        });
        if (!asLeft)
            choices_.push_back(now);
    }
    if (const Control* focused = form.focusedControl())
        focus_ = {focused->name(), focused->index(), QString()};
}

void KeptView::restoreTyped() const
{
    for (const Typed& t : typed_) {
        auto* box = dynamic_cast<TextBox*>(form_.find(t.name, t.index));
        if (!box || box->text() == t.text)
            continue;
        box->setText(t.text);
        box->setSelection(t.selStart, t.selLength);
    }
}

void KeptView::restoreChoices() const
{
    // In the page's order: a choice that depends on another (a company of a
    // kind, a receiver of a company) comes after it, and is made again only
    // when the one before did not bring it back by itself.
    for (const Choice& c : choices_) {
        Control* control = form_.find(c.name, c.index);
        if (auto* combo = dynamic_cast<ComboBox*>(control)) {
            if (combo->isUsable() && (combo->listIndex() < 0 || combo->list(combo->listIndex()) != c.value))
                combo->choose(c.value);
        } else if (auto* list = dynamic_cast<ListView*>(control);
                   list && list->isUsable() && !(list->selectedItem() && list->selectedItem()->key() == c.value)) {
            if (ListItem* row = list->findItem(c.value))
                list->clickItem(row->index());
        }
    }
    if (Control* focused = form_.find(focus_.name, focus_.index);
        focused && focused != form_.focusedControl() && focused->isUsable())
        focused->setFocus();
}

} // namespace tarvelo
