#include "pages/advisers/frmOmzettenAdviseur.h"

#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"
#include "pages/advisers/AdviserRegister.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7500;
constexpr int LabelWidth = 1455;
constexpr int CodeLength = 36;
const QString Caption = u"Omzetten adviseur"_s;
} // namespace

frmOmzettenAdviseur::frmOmzettenAdviseur()
    : Dialog(u"frmOmzettenAdviseur"_s, u"Generiek"_s),
      lblOmzetten(add<Label>(*this, u"lblOmzetten"_s)),
      lblNieuweAdviseur(add<Label>(*this, u"lblNieuweAdviseur"_s)),
      cboAdviseurs(add<ComboBox>(*this, u"cboAdviseurs"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAfbreken(add<CommandButton>(*this, u"cmdAfbreken"_s))
{
    setCaption(Caption);
    lblOmzetten.setWordWrap(true);
    lblNieuweAdviseur.setCaption(u"Nieuwe adviseur"_s);
    cboAdviseurs.setStyle(ComboBox::Style::DropDownList);
    cmdOk.setCaption(u"&OK"_s);
    cmdAfbreken.setCaption(u"Verwijderen annuleren"_s);

    lblOmzetten.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, InnerWidth, 3 * RowLayout::TextLineHeight);
    const int comboTop = lblOmzetten.bottom() + RowLayout::DialogMargin;
    lblNieuweAdviseur.setBounds(RowLayout::DialogMargin, comboTop + 45, LabelWidth, RowLayout::LabelHeight);
    cboAdviseurs.setBounds(RowLayout::DialogMargin + LabelWidth, comboTop, InnerWidth - LabelWidth,
                           RowLayout::RowHeight);
    // This dialog is the only question before the adviser is removed and his
    // advices move: Enter does not answer it, OK is pressed on purpose.
    placeButtonRow({&cmdOk, &cmdAfbreken}, nullptr, &cmdAfbreken);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAfbreken.Click.connect([this] { cmdAfbreken_Click(); });
}

void frmOmzettenAdviseur::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Control();
}

void frmOmzettenAdviseur::Fill_Control()
{
    guarded([this] {
        cboAdviseurs.clear();
        cmdOk.setEnabled(false);
        const AdviserRegister reg = AdviserRegister::of(*host());
        if (reg.status() != AdviserRegister::Status::Gelezen) {
            ui().msgBox(reg.status() == AdviserRegister::Status::GeenGebruikers ? u"Onjuist xmlbericht"_s
                                                                                : u"Fout in xml"_s,
                        MsgButtons::OK, MsgIcon::Exclamation, Caption);
            return;
        }
        const QString removed = adviserCode(Code);
        QString removedName;
        for (const RegisteredAdviser& a : reg.advisers()) {
            if (a.code.compare(removed, Qt::CaseInsensitive) == 0) {
                removedName = a.naam();
                continue;
            }
            // Only a code of full length can be read back from the item's end.
            if (!a.actief() || a.code.size() != CodeLength)
                continue;
            cboAdviseurs.addItem(a.naam() + u" - "_s + a.kantoorNaam + QString(50, QLatin1Char(' ')) + a.code);
        }
        lblOmzetten.setCaption(u"Er staan nog "_s + QString::number(Aantal) +
                               (Aantal == 1 ? u" advies"_s : u" adviezen"_s) + u" op de naam van "_s + removedName +
                               u". "_s + u"Selecteer de adviseur die deze adviezen moet overnemen. "_s);
        if (cboAdviseurs.listCount() > 0) {
            cboAdviseurs.setListIndex(0);
            cmdOk.setEnabled(true);
        } else {
            // Advices are never moved to nobody: the removal can only be called off.
            lblOmzetten.setCaption(lblOmzetten.caption() +
                                   u"Er is geen andere actieve adviseur die de adviezen kan overnemen."_s);
        }
    });
}

void frmOmzettenAdviseur::cmdOk_Click()
{
    guarded([this] {
        if (cboAdviseurs.listIndex() < 0)
            return;
        nieuweCode_ = cboAdviseurs.identifierOf(cboAdviseurs.listIndex(), CodeLength);
        close(false);
    });
}

void frmOmzettenAdviseur::cmdAfbreken_Click()
{
    guarded([this] {
        nieuweCode_.clear();
        close(true);
    });
}

} // namespace tarvelo
