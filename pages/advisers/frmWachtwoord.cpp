#include "pages/advisers/frmWachtwoord.h"

#include "framework/page/RowLayout.h"
#include "framework/ui/Ui.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int LabelWidth = 2175;
constexpr int FieldWidth = 2535;
const QString Caption = u"Wachtwoord onjuist"_s;
} // namespace

frmWachtwoord::frmWachtwoord()
    : Dialog(u"frmWachtwoord"_s, u"Generiek"_s),
      lblWachtwoord0(add<Label>(*this, u"lblWachtwoord"_s, {}, 0)),
      txtWachtwoord0(add<TextBox>(*this, u"txtWachtwoord"_s, {}, 0)),
      lblWachtwoord1(add<Label>(*this, u"lblWachtwoord"_s, {}, 1)),
      txtWachtwoord1(add<TextBox>(*this, u"txtWachtwoord"_s, {}, 1)),
      cmdOK(add<CommandButton>(*this, u"cmdOK"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Voer wachtwoord in..."_s);
    lblWachtwoord0.setCaption(u"Wachtwoord"_s);
    lblWachtwoord1.setCaption(u"Wachtwoord nogmaals"_s);
    for (TextBox* box : {&txtWachtwoord0, &txtWachtwoord1}) {
        box->setPasswordChar(QLatin1Char('*'));
        box->setMaxLength(50);
    }
    cmdOK.setCaption(u"&OK"_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);
    arrange();
    cmdOK.Click.connect([this] { cmdOK_Click(); });
    // As the close box: the adviser's password stays as it was.
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmWachtwoord::setBevestigen(bool on)
{
    bevestigen_ = on;
    arrange();
}

// The second row is there only when confirming; the button sits below the last row.
void frmWachtwoord::arrange()
{
    lblWachtwoord1.setVisible(bevestigen_);
    txtWachtwoord1.setVisible(bevestigen_);
    const int rowHeight = RowLayout::RowHeight + RowLayout::RowGap;
    int top = RowLayout::DialogMargin;
    for (auto [label, box] :
         {std::pair{&lblWachtwoord0, &txtWachtwoord0}, std::pair{&lblWachtwoord1, &txtWachtwoord1}}) {
        label->setBounds(RowLayout::DialogMargin, top + 45, LabelWidth, RowLayout::LabelHeight);
        box->setBounds(RowLayout::DialogMargin + LabelWidth + RowLayout::Gap, top, FieldWidth, RowLayout::RowHeight);
        if (box->visible())
            top += rowHeight;
    }
    placeButtonRow({&cmdOK, &cmdAnnuleren}, &cmdOK, &cmdAnnuleren);
}

void frmWachtwoord::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Form_Activate();
}

void frmWachtwoord::Form_Activate()
{
    guarded([this] { txtWachtwoord0.setFocus(); });
}

void frmWachtwoord::cmdOK_Click()
{
    guarded([this] {
        if (bevestigen_) {
            if (txtWachtwoord0.text() != txtWachtwoord1.text()) {
                failCheck(u"De beide ingevoerde wachtwoorden komen niet overeen."_s, Caption, &txtWachtwoord0);
                return;
            }
            // A new password is never empty: the adviser could not log in with it.
            if (txtWachtwoord0.text().isEmpty()) {
                failCheck(u"Vul een wachtwoord in; een leeg wachtwoord is niet toegestaan."_s, Caption,
                          &txtWachtwoord0);
                return;
            }
        }
        wachtwoord_ = txtWachtwoord0.text();
        close(false);
    });
}

} // namespace tarvelo
