#include "pages/database_hdn/SetupHdnIndir.h"

#include "framework/forms/Frame.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int PageWidth = 7200;
constexpr int Margin = 120;
constexpr int ListTop = 300;
constexpr int ListHeight = 3000;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
} // namespace

SetupHdnIndir::SetupHdnIndir()
    : SettingsPage(u"SetupHdnIndir"_s),
      lstHdnIndir(add<ListView>(add<Frame>(form(), u"fraHdnIndir"_s, u"Inkomende berichten"_s),
                                u"lstHdnIndir"_s)),
      cmdToevoegen(add<CommandButton>(form().control(u"fraHdnIndir"_s), u"cmdToevoegen"_s,
                                      u"Toevoegen"_s)),
      cmdVerwijderen(add<CommandButton>(form().control(u"fraHdnIndir"_s), u"cmdVerwijderen"_s,
                                        u"Verwijderen"_s)),
      lijst_(*this, lstHdnIndir, cmdToevoegen, cmdVerwijderen, {u"FillListview"_s, u"UpdateSetup"_s})
{
    auto& fraHdnIndir = form().get<Frame>(u"fraHdnIndir"_s);
    lstHdnIndir.setBounds(Margin, ListTop, PageWidth - 2 * Margin, ListHeight);
    const int buttonsTop = lstHdnIndir.bottom() + Margin;
    cmdToevoegen.setBounds(Margin, buttonsTop, ButtonWidth, ButtonHeight);
    cmdVerwijderen.setBounds(cmdToevoegen.right() + Margin, buttonsTop, ButtonWidth, ButtonHeight);
    fraHdnIndir.setBounds(0, 0, PageWidth, buttonsTop + ButtonHeight + Margin);
    stackFrames({&fraHdnIndir});
}

void SetupHdnIndir::Fill()
{
    lijst_.setSetup(&Setup());
    lijst_.Fill();
}

} // namespace tarvelo
