#include "pages/database_hdn/SetupHdnIndir.h"

#include "framework/forms/Frame.h"

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
    : SettingsPage(QStringLiteral("SetupHdnIndir")),
      lstHdnIndir(add<ListView>(add<Frame>(form(), QStringLiteral("fraHdnIndir"), QStringLiteral("Inkomende berichten")),
                                QStringLiteral("lstHdnIndir"))),
      cmdToevoegen(add<CommandButton>(form().control(QStringLiteral("fraHdnIndir")), QStringLiteral("cmdToevoegen"),
                                      QStringLiteral("Toevoegen"))),
      cmdVerwijderen(add<CommandButton>(form().control(QStringLiteral("fraHdnIndir")), QStringLiteral("cmdVerwijderen"),
                                        QStringLiteral("Verwijderen"))),
      lijst_(*this, lstHdnIndir, cmdToevoegen, cmdVerwijderen, {QStringLiteral("FillListview"), QStringLiteral("UpdateSetup")})
{
    auto& fraHdnIndir = form().get<Frame>(QStringLiteral("fraHdnIndir"));
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
