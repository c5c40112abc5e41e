#include "pages/companies/frmProvisieInstellingen.h"

#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/RowLayout.h"
#include "pages/companies/ProvisieInstellingen.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int ControlLeft = 135;
constexpr int ControlTop = 300;
} // namespace

frmProvisieInstellingen::frmProvisieInstellingen()
    : Dialog(u"frmProvisieInstellingen"_s, u"Instellingen - Provisieinstellingen"_s),
      fraProvisieInstelling(add<Frame>(*this, u"fraProvisieInstelling"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s))
{
    setCaption(u"Provisieinstellingen"_s);
    fraProvisieInstelling.setCaption(u"Provisie"_s);
    fraProvisieInstelling.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, 4200, 1200);
    cmdOk.setCaption(u"&OK"_s);
    cmdOk.Click.connect([this] { guarded("cmdOk_Click", [this] { close(false); }); });
    Form_Resize();
}

void frmProvisieInstellingen::setControlName(const QString& className) { className_ = className; }

void frmProvisieInstellingen::setApplication(Application& application)
{
    Dialog::setApplication(application);
    if (!className_.isEmpty())
        LoadControlProvisie();
}

void frmProvisieInstellingen::LoadControlProvisie()
{
    guarded([this] {
        if (control_) {
            control_->setVisible(false);
            remove(*control_);
            control_ = nullptr;
        }
        control_ = &app().components().create(className_, *this, u"Provisie"_s, &fraProvisieInstelling);
        control_->move(ControlLeft, ControlTop);
        control_->setBackColor(backColor());
        control_->setApplication(app());
        control_->setVisible(true);
        Form_Resize();
    });
}

// The frame and the dialog grow to fit the hosted control, OK below it.
void frmProvisieInstellingen::Form_Resize()
{
    if (control_)
        fraProvisieInstelling.setBounds(
            RowLayout::DialogMargin, RowLayout::DialogMargin,
            std::max(fraProvisieInstelling.width(), control_->right() + ControlLeft),
            std::max(fraProvisieInstelling.height(), control_->bottom() + RowLayout::DialogMargin));
    placeButtonRow({&cmdOk}, &cmdOk, nullptr);
}

} // namespace tarvelo
