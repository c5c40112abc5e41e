#include "app/render/ChoiceViews.h"

#include "framework/forms/CheckBox.h"
#include "framework/forms/YesNo.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace tarvelo {

CheckBoxView::CheckBoxView(FormView& owner, CheckBox& box, QWidget* parent)
    : ControlView(owner, box), box_(box), check_(new QCheckBox(parent))
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
    : ControlView(owner, option), option_(option), radio_(new QRadioButton(parent))
{
    radio_->setAutoExclusive(false);
    setWidget(radio_);
    QObject::connect(radio_, &QRadioButton::clicked, this, [this] { forward([this] { option_.click(); }); });
}

void OptionButtonView::syncProperty(Property property)
{
    switch (property) {
    case Property::Caption: radio_->setText(option_.caption()); break;
    case Property::Value: radio_->setChecked(option_.value()); break;
    default: break;
    }
}

YesNoView::YesNoView(FormView& owner, YesNo& yesNo, QWidget* parent)
    : ControlView(owner, yesNo), yesNo_(yesNo)
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
    for (QRadioButton* choice : {ja_, nee_}) {
        choice->setAutoExclusive(false);
        watch(choice);
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
    ja_->setChecked(yesNo_.value() == YesNo::Ja);
    nee_->setChecked(yesNo_.value() == YesNo::Nee);
}

} // namespace tarvelo
