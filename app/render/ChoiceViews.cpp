#include "app/render/ChoiceViews.h"

#include "app/render/AccessKeys.h"

#include "framework/forms/CheckBox.h"
#include "framework/forms/YesNo.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Shows a choice as the model holds it. The buttons of a group are
// exclusive, as a screen reader expects of option buttons, but the model
// decides: a group may have nothing chosen, which Qt's exclusive buttons
// would refuse.
void showChosen(QRadioButton& radio, bool chosen)
{
    if (radio.isChecked() == chosen)
        return;
    if (!chosen)
        radio.setAutoExclusive(false);
    radio.setChecked(chosen);
    radio.setAutoExclusive(true);
}

// A group of option buttons is one stop of Tab: the chosen one, else the
// first; the arrow keys go within the group.
void oneTabStop(QWidget& container)
{
    std::vector<QRadioButton*> group;
    for (QRadioButton* b : container.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (b->autoExclusive())
            group.push_back(b);
    }
    std::stable_sort(group.begin(), group.end(), [](const QRadioButton* a, const QRadioButton* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    const auto chosen = std::find_if(group.begin(), group.end(), [](const QRadioButton* b) { return b->isChecked(); });
    const QRadioButton* stop = chosen != group.end() ? *chosen : group.empty() ? nullptr : group.front();
    for (QRadioButton* b : group)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

CheckBoxView::CheckBoxView(FormView& owner, CheckBox& box, QWidget* parent)
    : ControlView(owner, box),
      box_(box),
      check_(new QCheckBox(parent))
{
    setWidget(check_);
    QObject::connect(check_, &QCheckBox::clicked, this, [this] { forward([this] { box_.click(); }); });
}

void CheckBoxView::syncProperty(Property property)
{
    switch (property) {
    case Property::Caption: check_->setText(box_.caption()); break;
    case Property::Value:
        check_->setTristate(box_.value() == 2);
        check_->setCheckState(box_.value() == 1   ? Qt::Checked
                              : box_.value() == 2 ? Qt::PartiallyChecked
                                                  : Qt::Unchecked);
        break;
    default: break;
    }
}

OptionButtonView::OptionButtonView(FormView& owner, OptionButton& option, QWidget* parent)
    : ControlView(owner, option),
      option_(option),
      radio_(new QRadioButton(parent))
{
    setWidget(radio_);
    QObject::connect(radio_, &QRadioButton::clicked, this, [this] { forward([this] { option_.click(); }); });
}

void OptionButtonView::syncProperty(Property property)
{
    switch (property) {
    case Property::Caption: radio_->setText(option_.caption()); break;
    case Property::Value:
    case Property::Bounds:
        showChosen(*radio_, option_.value());
        if (radio_->parentWidget())
            oneTabStop(*radio_->parentWidget());
        break;
    default: break;
    }
}

YesNoView::YesNoView(FormView& owner, YesNo& yesNo, QWidget* parent) : ControlView(owner, yesNo), yesNo_(yesNo)
{
    auto* box = new QWidget(parent);
    ja_ = new QRadioButton(YesNo::captionOf(YesNo::Ja), box);
    nee_ = new QRadioButton(YesNo::captionOf(YesNo::Nee), box);
    ja_->setObjectName(u"Ja"_s);
    nee_->setObjectName(u"Nee"_s);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(ja_);
    row->addWidget(nee_);
    row->addStretch();
    // The label of the whole has the access key; Ja and Nee are chosen with the arrow keys.
    for (QRadioButton* choice : {ja_, nee_}) {
        watch(choice);
        keepWithoutAccessKey(*choice);
    }
    setWidget(box);
    QObject::connect(ja_, &QRadioButton::clicked, this, [this] { forward([this] { yesNo_.choose(YesNo::Ja); }); });
    QObject::connect(nee_, &QRadioButton::clicked, this, [this] { forward([this] { yesNo_.choose(YesNo::Nee); }); });
}

void YesNoView::syncProperty(Property property)
{
    if (property != Property::Value)
        return;
    const QSignalBlocker blockJa(ja_);
    const QSignalBlocker blockNee(nee_);
    showChosen(*ja_, yesNo_.value() == YesNo::Ja);
    showChosen(*nee_, yesNo_.value() == YesNo::Nee);
    oneTabStop(*ja_->parentWidget());
}

} // namespace tarvelo
