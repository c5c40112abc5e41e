#include "pages/companies/frmRenteopties.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Advies.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/RowLayout.h"
#include "pages/companies/RenteOpties.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

frmRenteopties::frmRenteopties()
    : Dialog(u"frmRenteopties"_s, u"Instellingen - Hypotheekopties"_s),
      cmdOpslaan(add<CommandButton>(*this, u"cmdOpslaan"_s)),
      cmdOK(add<CommandButton>(*this, u"cmdOK"_s)),
      lblHypotheekOpties(add<Label>(*this, u"lblHypotheekOpties"_s))
{
    setCaption(u"Hypotheekopties"_s);
    cmdOpslaan.setCaption(u"Opslaan"_s);
    cmdOK.setCaption(u"OK"_s);
    lblHypotheekOpties.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, 4000, 1000);
    lblHypotheekOpties.setVisible(false);
    setBorderHeight(TitleBarHeight);
    cmdOK.Click.connect([this] { cmdOk_Click(); });
    cmdOpslaan.Click.connect([this] { cmdOpslaan_Click(); });
    Form_Resize();
}

void frmRenteopties::SetApplication(Application& application, int loanIndex)
{
    setApplication(application);
    guarded("SetApplication", [&] {
        // The loan part of the open advice with that index; none for the
        // lender's defaults, which "Opslaan" can store while the dialog stays.
        std::optional<Lening> lening;
        if (Advies* advies = application.HuidigAdviesObject(); advies && loanIndex > 0)
            lening = advies->Leningdeel(loanIndex);
        cmdOpslaan.setVisible(!lening);
        cmdOpslaan.setEnabled(false);
        if (lening)
            cdMij_ = lening->Cd_Mij;
        if (control_) {
            remove(*control_);
            control_ = nullptr;
        }
        const QString className =
            cdMij_ == QLatin1String("IN") ? u"TarveloINVoorstel.RenteOpties"_s : u"TarveloCommonCtrl.RenteOpties"_s;
        control_ = dynamic_cast<RenteOpties*>(&application.components().create(className, *this, u"RenteOpties"_s));
        if (!control_)
            throw RuntimeError(ComponentFactory::CannotCreateObject,
                               u"Het onderdeel %1 kan niet worden gemaakt"_s.arg(className));
        control_->setBackColor(backColor());
        if (lening)
            control_->setLening(*lening);
        else if (!cdMij_.isEmpty())
            control_->setCd_Mij(cdMij_);
        control_->Changed.connect([this] { cmdOpslaan.setEnabled(true); });
        control_->Resized.connect([this] { Form_Resize(); });
        control_->setApplication(application);
        control_->move(RowLayout::DialogMargin, RowLayout::DialogMargin);
        setCaption(control_->Om_Titel());
        control_->setVisible(true);
        Form_Resize();
    });
}

void frmRenteopties::Form_Resize() { placeButtonRow({&cmdOpslaan, &cmdOK}, &cmdOK, nullptr); }

void frmRenteopties::cmdOk_Click()
{
    guarded([this] {
        // A failed save keeps the dialog open with the user's choice.
        if (!control_ || control_->Save_Renteopties())
            close(false);
    });
}

void frmRenteopties::cmdOpslaan_Click()
{
    guarded([this] {
        if (!control_ || control_->Save_Renteopties())
            cmdOpslaan.setEnabled(false);
    });
}

} // namespace tarvelo
