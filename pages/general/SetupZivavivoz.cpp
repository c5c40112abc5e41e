#include "pages/general/SetupZivavivoz.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/MaintenanceSettings.h"
#include "framework/ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int MaxPasswordLength = 8;
constexpr int FieldWidth = 1800;
constexpr int LabelWidth = 2535; // holds "Nogmaals nieuw wachtwoord"

MaintenanceSettings& maintenance(Application& app) { return app.SettingsObject().get<MaintenanceSettings>(); }
} // namespace

SetupZivavivoz::SetupZivavivoz() : SettingsPage(u"SetupZivavivoz"_s)
{
    auto& fra = add<Frame>(form(), u"fraWachtwoord"_s, u"Wachtwoord"_s);
    auto& hint = add<Hint>(fra, u"hintWachtwoordWijzigen"_s,
                           u"U kunt hier het wachtwoord wijzigen.\r\n"
                           "Voer eerst het oude wachtwoord in en daarna tweemaal het nieuwe wachtwoord.\r\n"
                           "Druk op de knop bevestigen om de wijzigen door te voeren."_s);
    auto& lblOud = add<Label>(fra, u"lblWachtwoord"_s, u"Oud wachtwoord"_s, 0);
    txtWachtwoordOud = &add<TextBox>(fra, u"txtWachtwoordOud"_s);
    auto& lblNieuw = add<Label>(fra, u"lblWachtwoord"_s, u"Nieuw wachtwoord"_s, 1);
    txtWachtwoordNieuw[0] = &add<TextBox>(fra, u"txtWachtwoordNieuw"_s, QString(), 0);
    auto& lblMaximaal = add<Label>(fra, u"lblMaximaal"_s, u"maximaal 8 karakters"_s);
    auto& lblNogmaals = add<Label>(fra, u"lblWachtwoord"_s, u"Nogmaals nieuw wachtwoord"_s, 2);
    txtWachtwoordNieuw[1] = &add<TextBox>(fra, u"txtWachtwoordNieuw"_s, QString(), 1);
    cmdWijzigenWachtwoord = &add<CommandButton>(fra, u"cmdWijzigenWachtwoord"_s, u"&Bevestigen"_s);

    txtWachtwoordOud->setPasswordChar(QLatin1Char('*'));
    txtWachtwoordOud->Change.connect([this] { txtWachtwoordOud_Change(); });
    for (int i = 0; i < 2; ++i) {
        txtWachtwoordNieuw[i]->setPasswordChar(QLatin1Char('*'));
        txtWachtwoordNieuw[i]->setMaxLength(MaxPasswordLength);
        txtWachtwoordNieuw[i]->Change.connect([this, i] { txtWachtwoordNieuw_Change(i); });
    }
    cmdWijzigenWachtwoord->setEnabled(false);
    cmdWijzigenWachtwoord->Click.connect([this] { cmdWijzigenWachtwoord_Click(); });

    RowLayout rows(fra, 6600);
    rows.text(hint)
        .space(RowLayout::RowGap)
        .row({{&lblOud, LabelWidth}, {txtWachtwoordOud, FieldWidth}})
        .row({{&lblNieuw, LabelWidth}, {txtWachtwoordNieuw[0], FieldWidth}, {&lblMaximaal, 0}})
        .row({{&lblNogmaals, LabelWidth}, {txtWachtwoordNieuw[1], FieldWidth}})
        // under the boxes it confirms
        .block(RowLayout::RowHeight + RowLayout::RowGap,
               [this](int top, int) {
                   cmdWijzigenWachtwoord->setBounds(txtWachtwoordOud->left(), top, 1215, RowLayout::RowHeight);
               })
        .finish();
    stackFrames({&fra});
}

bool SetupZivavivoz::oldPasswordMatches() const
{
    // exact: a password differing only in case is another password
    return txtWachtwoordOud->text() == maintenance(app()).OnderhoudWachtwoord.get();
}

bool SetupZivavivoz::newPasswordConfirmed() const
{
    const QString& first = txtWachtwoordNieuw[0]->text();
    return !first.isEmpty() && first == txtWachtwoordNieuw[1]->text();
}

void SetupZivavivoz::txtWachtwoordOud_Change()
{
    guarded([&] {
        const bool matches = oldPasswordMatches();
        // An empty box is judged by nobody yet: no colour until something is typed.
        txtWachtwoordOud->setBackColor(txtWachtwoordOud->text().isEmpty() ? Colour(SystemColour::Window)
                                       : matches                          ? Goed
                                                                          : Fout);
        for (TextBox* box : txtWachtwoordNieuw) {
            if (!matches)
                box->setText(QString());
            box->setEnabled(matches);
        }
        cmdWijzigenWachtwoord->setEnabled(matches && newPasswordConfirmed());
    });
}

void SetupZivavivoz::txtWachtwoordNieuw_Change(int index)
{
    guarded(Index{index}, [&] { cmdWijzigenWachtwoord->setEnabled(oldPasswordMatches() && newPasswordConfirmed()); });
}

// The button is enabled only for a confirmed password, but it checks again:
// an empty or unconfirmed password would lock the office out of its menu.
void SetupZivavivoz::cmdWijzigenWachtwoord_Click()
{
    guarded([&] {
        if (!oldPasswordMatches())
            return void(failCheck(u"Het oude wachtwoord is niet juist; het wachtwoord is niet gewijzigd."_s, Titel(),
                                  txtWachtwoordOud));
        if (!newPasswordConfirmed())
            return void(failCheck(u"Vul tweemaal hetzelfde nieuwe wachtwoord in; het wachtwoord is "
                                  "niet gewijzigd."_s,
                                  Titel(), txtWachtwoordNieuw[0]));
        maintenance(app()).OnderhoudWachtwoord = txtWachtwoordNieuw[0]->text();
        ui().msgBox(u"Het nieuwe wachtwoord is opgeslagen."_s, MsgButtons::OK, MsgIcon::Information, Titel());
    });
}

} // namespace tarvelo
