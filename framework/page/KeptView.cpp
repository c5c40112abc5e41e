#include "framework/page/KeptView.h"

#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/Bindings.h"

#include <QSet>

namespace tarvelo {

KeptView::KeptView(Form& form, const Bindings& bindings) : form_(form)
{
    // A control that shows a setting shows what is stored now, not what it showed.
    QSet<std::pair<QString, int>> shown;
    for (const SettingPresentation& p : bindings.presentations())
        shown.insert({p.control, p.controlIndex});
    for (Control* control : form.controls()) {
        if (auto* box = dynamic_cast<TextBox*>(control); box && box->edited()) {
            typed_.push_back({box->name(), box->index(), box->text(), box->selStart(), box->selLength()});
            continue;
        }
        if (bindings.bindingOf(*control) || shown.contains({control->name(), control->index()}))
            continue;
        if (auto* combo = dynamic_cast<ComboBox*>(control); combo && combo->listIndex() >= 0)
            combos_.push_back({combo->name(), combo->index(), combo->list(combo->listIndex())});
        else if (auto* list = dynamic_cast<ListView*>(control); list && list->selectedItem())
            lists_.push_back({list->name(), list->index(), list->selectedItem()->key()});
    }
    if (const Control* focused = form.focusedControl())
        focus_ = {focused->name(), focused->index(), QString()};
}

void KeptView::restoreTyped() const
{
    for (const Kept& t : typed_) {
        auto* box = dynamic_cast<TextBox*>(form_.find(t.name, t.index));
        if (!box || box->text() == t.value)
            continue;
        box->setText(t.value);
        box->setSelection(t.selStart, t.selLength);
    }
}

void KeptView::restoreChoices() const
{
    for (const Kept& c : combos_) {
        auto* combo = dynamic_cast<ComboBox*>(form_.find(c.name, c.index));
        if (combo && combo->isUsable() && (combo->listIndex() < 0 || combo->list(combo->listIndex()) != c.value))
            combo->choose(c.value);
    }
    for (const Kept& c : lists_) {
        auto* list = dynamic_cast<ListView*>(form_.find(c.name, c.index));
        if (!list || !list->isUsable() || (list->selectedItem() && list->selectedItem()->key() == c.value))
            continue;
        if (ListItem* row = list->findItem(c.value))
            list->clickItem(row->index());
    }
    if (Control* focused = form_.find(focus_.name, focus_.index); focused && focused != form_.focusedControl() &&
                                                                  focused->isUsable())
        focused->setFocus();
}

} // namespace tarvelo
