#include "framework/status/frmProgress.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 5415;
constexpr int Margin = 120;
constexpr int ButtonWidth = 1215;
// The title bar's share of the height; what is left holds the message row and the bar.
} // namespace

frmProgress::frmProgress()
    : Dialog(u"frmProgress"_s, ReportTexts::GeneralContext),
      lblMessage(add<Label>(*this, u"lblMessage"_s)),
      Pgb1(add<ProgressBar>(*this, u"Pgb1"_s)),
      cmdCancel(add<CommandButton>(*this, u"cmdCancel"_s))
{
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, Width, HeightWithBar);
    // The message row shares its line with the button; the bar runs below both.
    cmdCancel.setBounds(Width - Margin - ButtonWidth, 30, ButtonWidth, 315);
    lblMessage.setBounds(Margin, 90, Width - 3 * Margin - ButtonWidth, 255);
    Pgb1.setBounds(Margin, 450, Width - 2 * Margin, 255);
    cmdCancel.setCaption(u"&Afbreken"_s);
    cmdCancel.setCancel(true);
    cmdCancel.Click.connect([this] { cmdCancel_Click(); });
}

void frmProgress::cmdCancel_Click()
{
    cancelled_ = true;
    cmdCancel.setEnabled(false);
}

} // namespace tarvelo
