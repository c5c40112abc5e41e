#include "pages/integrations/KoppelingPage.h"

#include "framework/host/Application.h"
#include "framework/page/FieldButtons.h"
#include "framework/ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

KoppelingPage::KoppelingPage(const KoppelingOntwerp& ontwerp)
    : SettingsPage(ontwerp.componentName),
      fraKoppeling(add<Frame>(form(), u"fraKoppeling"_s, ontwerp.titel)),
      titel_(ontwerp.titel)
{
    rows_.emplace(fraKoppeling, InnerWidth);
    if (ontwerp.koppeling) {
        chkKoppeling = &add<CheckBox>(fraKoppeling, u"chkKoppeling"_s, ontwerp.koppelingCaption);
        bindings().bind(*chkKoppeling, ontwerp.koppeling);
        rows_->line(*chkKoppeling);
        if (!ontwerp.velden.empty())
            rows_->space(RowLayout::RowGap);
    }
    for (const KoppelingVeld& v : ontwerp.velden) {
        auto& label = add<Label>(fraKoppeling, u"lbl"_s + v.name.mid(3), v.label);
        auto& box = add<TextBox>(fraKoppeling, v.name);
        if (v.masked)
            box.setPasswordChar(QLatin1Char('*'));
        bindings().bind(box, v.setting);
        rows_->field(label, box, FieldWidth, LabelWidth);
    }
    if (!ontwerp.hint.isEmpty()) {
        auto& hint = add<Hint>(fraKoppeling, u"hntKoppeling"_s, ontwerp.hint);
        rows_->space(RowLayout::RowGap);
        rows_->text(hint);
    }
}

void KoppelingPage::finishLayout()
{
    rows_->finish();
    stackFrames({&fraKoppeling});
}

CommandButton& KoppelingPage::addFolderButton(TextBox& box, const QString& name, const QString& toolTip)
{
    auto& button = add<CommandButton>(*box.parent(), name, u"..."_s);
    box.setLocked(true);
    rows_->attach(box, button, RowLayout::FieldButtonWidth);
    if (toolTip.isEmpty())
        describeFieldButton(button, FieldButton::ChooseFolder, box);
    else
        button.setToolTipText(toolTip);
    return button;
}

Label& KoppelingPage::addLink(Control& parent, const QString& name, int index, const QString& address)
{
    auto& link = add<Label>(parent, name, address, index);
    link.setLink(true);
    link.setTag(address);
    link.Click.connect([this, &link] {
        if (IsLoading)
            return;
        guarded(link.name() + u"_Click"_s, [this, &link] { ui().openAddress(link.tag().toString()); });
    });
    return link;
}

} // namespace tarvelo
