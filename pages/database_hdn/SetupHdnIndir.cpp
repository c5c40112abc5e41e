#include "pages/database_hdn/SetupHdnIndir.h"

#include "framework/forms/Frame.h"
#include "framework/page/RowLayout.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int PageWidth = 7200;
constexpr int ListHeight = 3000;
} // namespace

SetupHdnIndir::SetupHdnIndir()
    : SettingsPage(u"SetupHdnIndir"_s),
      lstHdnIndir(add<ListView>(add<Frame>(form(), u"fraHdnIndir"_s, u"Inkomende berichten"_s), u"lstHdnIndir"_s)),
      cmdToevoegen(add<CommandButton>(form().control(u"fraHdnIndir"_s), u"cmdToevoegen"_s, u"Toevoegen"_s)),
      cmdVerwijderen(add<CommandButton>(form().control(u"fraHdnIndir"_s), u"cmdVerwijderen"_s, u"Verwijderen"_s)),
      lijst_(*this, lstHdnIndir, cmdToevoegen, cmdVerwijderen, {u"FillListview"_s, u"UpdateSetup"_s})
{
    auto& fraHdnIndir = form().get<Frame>(u"fraHdnIndir"_s);
    RowLayout(fraHdnIndir, PageWidth - 2 * RowLayout::Margin)
        .recordList(lstHdnIndir, ListHeight, {&cmdToevoegen, &cmdVerwijderen})
        .finish();
    stackFrames({&fraHdnIndir});
}

void SetupHdnIndir::Fill()
{
    lijst_.setSetup(&Setup());
    lijst_.Fill();
}

} // namespace tarvelo
