#include "framework/status/frmProgress.h"

#include "framework/page/RowLayout.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 5415;
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
    cmdCancel.setBounds(Width - RowLayout::DialogMargin - RowLayout::ButtonWidth, 30, RowLayout::ButtonWidth, 315);
    lblMessage.setBounds(RowLayout::DialogMargin, 90, Width - 3 * RowLayout::DialogMargin - RowLayout::ButtonWidth,
                         255);
    Pgb1.setBounds(RowLayout::DialogMargin, 450, Width - 2 * RowLayout::DialogMargin, 255);
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
