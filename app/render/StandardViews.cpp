#include "app/render/StandardViews.h"

#include "app/render/AddressView.h"
#include "app/render/ChoiceViews.h"
#include "app/render/EmbeddedView.h"
#include "app/render/ListViews.h"
#include "app/render/ReportView.h"
#include "app/render/SimpleViews.h"
#include "app/render/TextBoxView.h"
#include "app/render/ViewRegistry.h"
#include "framework/forms/AddressControl.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/EmbeddedForm.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Image.h"
#include "framework/forms/Label.h"
#include "framework/forms/Line.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/ListView.h"
#include "framework/forms/ProgressBar.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"

namespace tarvelo {

void registerStandardViews(ViewRegistry& views)
{
    views.add<FrameView, Frame>(ControlKind::Frame);
    views.add<LabelView, Label>(ControlKind::Label);
    // A hint is a label drawn in a quieter colour; its view tells them apart.
    views.add<LabelView, Label>(ControlKind::Hint);
    views.add<TextBoxView, TextBox>(ControlKind::TextBox);
    views.add<CheckBoxView, CheckBox>(ControlKind::CheckBox);
    views.add<OptionButtonView, OptionButton>(ControlKind::OptionButton);
    views.add<ComboBoxView, ComboBox>(ControlKind::ComboBox);
    views.add<ListBoxView, ListBox>(ControlKind::ListBox);
    views.add<ReportView, ListView>(ControlKind::ListView);
    views.add<CommandButtonView, CommandButton>(ControlKind::CommandButton);
    views.add<ImageView, Image>(ControlKind::Image);
    views.add<YesNoView, YesNo>(ControlKind::YesNo);
    views.add<AddressView, AddressControl>(ControlKind::Address);
    views.add<ProgressBarView, ProgressBar>(ControlKind::ProgressBar);
    views.add<LineView, Line>(ControlKind::Line);
    views.add<EmbeddedView, EmbeddedForm>(ControlKind::Embedded);
}

const ViewRegistry& standardViews()
{
    static const ViewRegistry views = [] {
        ViewRegistry registry;
        registerStandardViews(registry);
        return registry;
    }();
    return views;
}

} // namespace tarvelo
