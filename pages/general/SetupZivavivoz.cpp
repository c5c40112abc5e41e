#include "pages/general/SetupZivavivoz.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/MaintenanceSettings.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

namespace {
constexpr int MaxPasswordLength = 8;
constexpr int FieldWidth = 1800;
constexpr int LabelWidth = 2415;

MaintenanceSettings& maintenance(Application& app) { return app.SettingsObject().get<MaintenanceSettings>(); }
} // namespace

SetupZivavivoz::SetupZivavivoz() : SettingsPage(QStringLiteral("SetupZivavivoz"))
{
    auto& fra = add<Frame>(form(), QStringLiteral("fraWachtwoord"), QStringLiteral("Wachtwoord"));
    auto& hint = add<Hint>(fra, QStringLiteral("hintWachtwoordWijzigen"),
                           QStringLiteral("U kunt hier het wachtwoord wijzigen.\r\n"
                                          "Voer eerst het oude wachtwoord in en daarna tweemaal het nieuwe wachtwoord.\r\n"
                                          "Druk op de knop bevestigen om de wijzigen door te voeren."));
    auto& lblOud = add<Label>(fra, QStringLiteral("lblWachtwoord"), QStringLiteral("Oud wachtwoord"), 0);
    txtWachtwoordOud = &add<TextBox>(fra, QStringLiteral("txtWachtwoordOud"));
    auto& lblNieuw = add<Label>(fra, QStringLiteral("lblWachtwoord"), QStringLiteral("Nieuw wachtwoord"), 1);
    txtWachtwoordNieuw[0] = &add<TextBox>(fra, QStringLiteral("txtWachtwoordNieuw"), QString(), 0);
    auto& lblMaximaal = add<Label>(fra, QStringLiteral("lblMaximaal"), QStringLiteral("maximaal 8 karakters"));
    auto& lblNogmaals = add<Label>(fra, QStringLiteral("lblWachtwoord"), QStringLiteral("Nogmaals nieuw wachtwoord"), 2);
    txtWachtwoordNieuw[1] = &add<TextBox>(fra, QStringLiteral("txtWachtwoordNieuw"), QString(), 1);
    cmdWijzigenWachtwoord = &add<CommandButton>(fra, QStringLiteral("cmdWijzigenWachtwoord"), QStringLiteral("&Bevestigen"));

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
    rows.text(hint);
    // the line breaks take room the wrapping estimate does not count
    hint.setHeight(hint.height() + RowLayout::TextLineHeight);
    rows.space(RowLayout::TextLineHeight + RowLayout::RowGap)
        .field(lblOud, *txtWachtwoordOud, FieldWidth, LabelWidth)
        .row({{&lblNieuw, LabelWidth}, {txtWachtwoordNieuw[0], FieldWidth}, {&lblMaximaal, 0}})
        .field(lblNogmaals, *txtWachtwoordNieuw[1], FieldWidth, LabelWidth)
        .row({{cmdWijzigenWachtwoord, 1215}})
        .finish();
    cmdWijzigenWachtwoord->setLeft(txtWachtwoordOud->left()); // under the boxes it confirms
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
        txtWachtwoordOud->setBackColor(matches ? Goed : Fout);
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
            return void(failCheck(QStringLiteral("Het oude wachtwoord is niet juist; het wachtwoord is niet gewijzigd."),
                                  Titel(), txtWachtwoordOud));
        if (!newPasswordConfirmed())
            return void(failCheck(QStringLiteral("Vul tweemaal hetzelfde nieuwe wachtwoord in; het wachtwoord is "
                                                 "niet gewijzigd."),
                                  Titel(), txtWachtwoordNieuw[0]));
        maintenance(app()).OnderhoudWachtwoord = txtWachtwoordNieuw[0]->text();
        ui().msgBox(QStringLiteral("Het nieuwe wachtwoord is opgeslagen."), MsgButtons::OK, MsgIcon::Information,
                    Titel());
    });
}

} // namespace tarvelo
