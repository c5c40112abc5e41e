#include "pages/business_lists/frmOmzettenAbonnement.h"

#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AbonnementSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Margin = 180;
constexpr int InnerWidth = 7500;
} // namespace

frmOmzettenAbonnement::frmOmzettenAbonnement()
    : Dialog(u"frmOmzettenAbonnement"_s, ReportTexts::GeneralContext, ReportTexts::MessageWithEllipsis),
      lblOmzetten(add<Label>(*this, u"lblOmzetten"_s)),
      cboAbonnement(add<ComboBox>(*this, u"cboAbonnement"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAfbreken(add<CommandButton>(*this, u"cmdAfbreken"_s))
{
    setCaption(u"Omzetten abonnement"_s);
    auto& lblNieuw = add<Label>(*this, u"lblNieuwAbonnement"_s);
    lblNieuw.setCaption(u"Nieuw abonnement"_s);
    lblOmzetten.setWordWrap(true);
    lblOmzetten.setBounds(Margin, Margin, InnerWidth, 4 * RowLayout::TextLineHeight + 60);
    lblNieuw.setBounds(Margin, lblOmzetten.bottom() + RowLayout::Gap + 45, 1695, RowLayout::LabelHeight);
    cboAbonnement.setBounds(Margin + 1695, lblOmzetten.bottom() + RowLayout::Gap, InnerWidth - 1695,
                            RowLayout::RowHeight);
    cmdOk.setCaption(u"&OK"_s);
    cmdAfbreken.setCaption(u"Verwijderen annuleren"_s);
    placeButtonRow({&cmdOk, &cmdAfbreken}, &cmdOk, &cmdAfbreken);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAfbreken.Click.connect([this] { close(true); });
}

void frmOmzettenAbonnement::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Control();
}

// Only active subscriptions can take the advices over: an inactive one is no
// longer offered.
void frmOmzettenAbonnement::Fill_Control()
{
    guarded([this] {
        if (!setup_)
            throw RuntimeError::objectRequired();
        const AbonnementSettings& list = setup_->get<AbonnementSettings>();
        const AbonnementRecord* oud = list.AbonnementOpID(id_);
        const QString naam = oud ? oud->Soort + u" - "_s + oud->Omschrijving : QString();
        lblOmzetten.setCaption(u"U staat op het punt om het abonnement "_s + naam + u" te verwijderen. "_s +
                               (aantal_ == 1 ? u"Er is nog "_s : u"Er zijn nog "_s) + QString::number(aantal_) +
                               (aantal_ == 1 ? u" advies"_s : u" adviezen"_s) +
                               u" met dit abonnement in de database aanwezig. "_s +
                               u"Selecteer het abonnement dat het te verwijderen abonnement gaat "
                               "vervangen. "_s +
                               u"Of breek het verwijderen van dit abonnement af."_s);
        cboAbonnement.clear();
        for (int i = 1; const AbonnementRecord* r = list.Abonnement(i); ++i) {
            if (r->ID == id_ || !r->Actief)
                continue;
            cboAbonnement.addItem(r->Soort + u" - "_s + r->Omschrijving + QString(100, QLatin1Char(' ')) + r->ID);
        }
        if (cboAbonnement.listCount() > 0)
            cboAbonnement.setListIndex(0);
        cmdOk.setEnabled(cboAbonnement.listCount() > 0);
    });
}

void frmOmzettenAbonnement::cmdOk_Click()
{
    guarded([this] {
        const int i = cboAbonnement.listIndex();
        if (i < 0)
            return;
        nieuwId_ = cboAbonnement.identifierOf(i, IdLength);
        close(false);
    });
}

} // namespace tarvelo
