#include "app/render/AddressView.h"

#include "framework/forms/AddressControl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace tarvelo {

AddressView::AddressView(FormView& owner, AddressControl& address, QWidget* parent)
    : ControlView(owner, address),
      address_(address)
{
    auto* box = new QWidget(parent);
    auto edit = [&](const char* name, const QString& spoken, int maxLength) {
        auto* e = new QLineEdit(box);
        e->setObjectName(QString::fromLatin1(name));
        // What a screen reader says of the part; the control's own label
        // comes with it as its description.
        e->setAccessibleName(spoken);
        e->setMaxLength(maxLength);
        watch(e);
        QObject::connect(e, &QLineEdit::textEdited, this, [this] { typed(); });
        return e;
    };
    straat_ = edit("straat", u"Straat"_s, 100);
    postcode_ = edit("postcode", u"Postcode"_s, 7);
    huisnummer_ = edit("huisnummer", u"Huisnummer"_s, 5);
    toevoeging_ = edit("toevoeging", u"Toevoeging"_s, 10);
    plaats_ = edit("plaats", u"Woonplaats"_s, 100);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    auto* numberRow = new QHBoxLayout;
    numberRow->setSpacing(4);
    numberRow->addWidget(postcode_, 3);
    numberRow->addWidget(huisnummer_, 2);
    numberRow->addWidget(toevoeging_, 2);
    grid->addWidget(new QLabel(u"Straat"_s, box), 0, 0);
    grid->addWidget(straat_, 0, 1);
    grid->addWidget(new QLabel(u"Postcode / huisnummer / toevoeging"_s, box), 1, 0);
    grid->addLayout(numberRow, 1, 1);
    grid->addWidget(new QLabel(u"Woonplaats"_s, box), 2, 0);
    grid->addWidget(plaats_, 2, 1);
    grid->setColumnStretch(1, 1);
    setWidget(box);
}

void AddressView::typed()
{
    forward([this] {
        Address a;
        a.straat = straat_->text();
        a.huisnummer = huisnummer_->text();
        a.toevoeging = toevoeging_->text();
        a.postcode = postcode_->text();
        a.plaats = plaats_->text();
        address_.type(a);
    });
}

void AddressView::syncProperty(Property property)
{
    if (property != Property::Value)
        return;
    const Address& a = address_.address();
    const std::pair<QLineEdit*, QString> fields[] = {{straat_, a.straat},
                                                     {postcode_, a.postcode},
                                                     {huisnummer_, a.huisnummer},
                                                     {toevoeging_, a.toevoeging},
                                                     {plaats_, a.plaats}};
    for (const auto& [edit, text] : fields) {
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
    }
}

} // namespace tarvelo
