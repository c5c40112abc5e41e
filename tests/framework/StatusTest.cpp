#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/listsort/ListSortState.h"
#include "framework/status/StatusReporter.h"
#include "framework/status/frmProgress.h"
#include "framework/ui/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// A host with a status bar of its own: records what its status procedures receive
// and lets a test answer "SetStatus" as the host's status bar would.
class StatusBarHost final : public Application {
public:
    explicit StatusBarHost(Ui& ui) : ui_(ui) {}

    struct Call {
        QString caller, component, procedure;
        HostStatusCall received;
    };
    std::vector<Call> calls;
    std::function<void(HostStatusCall&)> answerSetStatus;

    void RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                      const QVariant& argument) override
    {
        const auto call = argument.value<HostStatusCall::Pointer>();
        ASSERT_TRUE(call) << procedure.toStdString();
        calls.push_back({caller, component, procedure, *call});
        if (procedure == "SetStatus" && answerSetStatus)
            answerSetStatus(*call);
    }

    QVariant RunFunction(const QString&, const QString&, const QString&) override { return {}; }
    void ShowError(ProcedureTrace&) override {}
    void RaiseNotify(const QString&, const QString&, const QString&, const QVariant&) override {}
    void CloseApplication() override {}
    QString DatabaseProvider() const override { return "MSACC"; }
    void setDatabaseProvider(const QString&) override {}
    QString DatabaseServer() const override { return {}; }
    void setDatabaseServer(const QString&) override {}
    bool SqlServerAvailable() const override { return false; }
    QString DataDir() const override { return {}; }
    QString DataFolder() const override { return {}; }
    QString DefaultDataFolder() const override { return {}; }
    QString InstallationFolder() const override { return {}; }
    QString ExchangeFolder() const override { return {}; }
    QString VersionText() const override { return {}; }
    Settings& GlobalSetup() override { return globalSetup_; }
    Settings& SettingsObject() override { return setup_; }
    Form* MainWindow() override { return nullptr; }
    void SetupChanged() override {}
    QString SysteemDatum() const override { return u"01-01-2024"_s; }
    Ui& ui() override { return ui_; }
    Registry& registry() override { throw std::logic_error("geen register in deze test"); }
    StatusReporter& status() override { throw std::logic_error("geen eigen voortgang in deze test"); }
    ListSortState& listSortState() override { return sortState_; }
    const PageRegistry& pageRegistry() const override { throw std::logic_error("geen pagina's in deze test"); }
    const ComponentFactory& components() const override { throw std::logic_error("geen onderdelen in deze test"); }
    void reportUnhandled(const QString&, std::exception_ptr) override {}
    ListSortState sortState_;

private:
    Ui& ui_;
    Settings setup_, globalSetup_;
};

// SetStatus as a long run calls it: the message may come back changed.
bool setStatus(StatusReporter& status, const QString& text, bool step = false)
{
    QString message = text;
    bool cancelled = false;
    status.SetStatus(message, cancelled, step);
    return cancelled;
}

} // namespace

// Catches the wrong height, a bar shown without steps, and a bar whose maximum is 0.
TEST(Status, TheWindowHasABarOnlyWhenThereAreSteps)
{
    ScriptedUi ui;
    StatusReporter status(ui);
    status.InitStatus(5, "HDN berichten", "Berichten tellen", true);
    frmProgress* window = status.window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->visible());
    EXPECT_EQ(window->height(), 1185);
    EXPECT_TRUE(window->Pgb1.visible());
    EXPECT_EQ(window->Pgb1.min(), 0);
    EXPECT_EQ(window->Pgb1.max(), 5);
    EXPECT_EQ(window->Pgb1.value(), 0);
    EXPECT_EQ(window->lblMessage.caption(), "Berichten tellen");
    EXPECT_EQ(window->caption(), "HDN berichten");
    EXPECT_TRUE(window->cmdCancel.visible());
    EXPECT_EQ(window->cmdCancel.caption(), "&Afbreken");
    setStatus(status, "Berichten tellen");
    EXPECT_TRUE(window->visible());

    status.InitStatus(0, "HDN berichten", "Even geduld", false);
    EXPECT_EQ(status.window(), window);
    EXPECT_EQ(window->height(), 750);
    EXPECT_FALSE(window->Pgb1.visible());
    EXPECT_FALSE(window->cmdCancel.visible());
    EXPECT_EQ(window->lblMessage.caption(), "Even geduld");
}

// Catches a bar that runs past its maximum, steps that are lost, and steps on a hidden bar.
TEST(Status, StepsStopAtTheMaximum)
{
    ScriptedUi ui;
    StatusReporter status(ui);
    status.InitStatus(5, "", "Verplaatsen", false);
    const std::vector<int> expected{1, 2, 3, 4, 5, 5, 5};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        setStatus(status, u"Bericht %1"_s.arg(i + 1), true);
        EXPECT_EQ(status.window()->Pgb1.value(), expected[i]) << "step " << i + 1;
        EXPECT_EQ(status.window()->lblMessage.caption(), u"Bericht %1"_s.arg(i + 1));
    }
    setStatus(status, "Zonder stap");
    EXPECT_EQ(status.window()->Pgb1.value(), 5);

    status.InitStatus(0, "", "Geen balk", false);
    EXPECT_EQ(status.window()->Pgb1.max(), 1);
    setStatus(status, "Stap", true);
    EXPECT_EQ(status.window()->Pgb1.value(), 0);
}

// Catches dots that never restart, restart one too early or late, or follow the wrong message.
TEST(Status, RunningDotsCountToNineteenAndStartAgain)
{
    ScriptedUi ui;
    StatusReporter status(ui);
    status.InitStatus(0, "", "Zoeken", false);
    setStatus(status, "DOTS");
    EXPECT_EQ(status.window()->lblMessage.caption(), "Zoeken.");

    setStatus(status, "Tellen");
    for (int call = 1; call <= 20; ++call) {
        setStatus(status, "DOTS");
        const QString expected = "Tellen" + QString(call % 20, u'.');
        EXPECT_EQ(status.window()->lblMessage.caption(), expected) << "call " << call;
    }
    setStatus(status, "DOTS");
    EXPECT_EQ(status.window()->lblMessage.caption(), "Tellen.");
}

// Catches "DONTSET" that replaces the message, does not step, or becomes the text the dots follow.
TEST(Status, DontSetStepsTheBarAndKeepsTheMessage)
{
    ScriptedUi ui;
    StatusReporter status(ui);
    status.InitStatus(3, "", "Start", false);
    setStatus(status, "Controleren");
    setStatus(status, "DOTS");
    setStatus(status, "DONTSET", true);
    EXPECT_EQ(status.window()->lblMessage.caption(), "Controleren.");
    EXPECT_EQ(status.window()->Pgb1.value(), 1);
    setStatus(status, "DOTS");
    EXPECT_EQ(status.window()->lblMessage.caption(), "Controleren.");
}

// Catches a cancel that is forgotten on the next call, survives TermStatus, or misses a click
// still waiting in the event queue.
TEST(Status, CancelStaysUntilTheWindowIsReleased)
{
    ScriptedUi ui;
    StatusReporter status(ui);
    int created = 0;
    int closed = 0;
    status.WindowCreated.connect([&](frmProgress& window) {
        ++created;
        window.Closed.connect([&] { ++closed; });
    });
    status.InitStatus(10, "", "Verplaatsen", true);
    EXPECT_FALSE(setStatus(status, "Bericht 1", true));
    frmProgress& window = *status.window();
    ui.postEvent([&] { window.cmdCancel.click(); });
    EXPECT_TRUE(setStatus(status, "Bericht 2", true));
    EXPECT_FALSE(window.cmdCancel.enabled());
    EXPECT_TRUE(setStatus(status, "DOTS"));
    EXPECT_TRUE(setStatus(status, "Bericht 3", true));
    status.InitStatus(10, "", "Opnieuw", true);
    EXPECT_TRUE(setStatus(status, "Bericht 1"));
    EXPECT_EQ(created, 1);

    status.TermStatus();
    EXPECT_EQ(status.window(), nullptr);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(setStatus(status, "Na afloop"));

    status.InitStatus(10, "", "Nieuw", true);
    EXPECT_EQ(created, 2);
    EXPECT_FALSE(setStatus(status, "Bericht 1"));
    EXPECT_TRUE(status.window()->cmdCancel.enabled());
}

// Catches messages shown in the own window while the host has a status bar, arguments that do not
// reach the host, and a host's "CANCELLED" that is not reported.
TEST(Status, WithAnOwnerTheHostsStatusBarShowsTheProgress)
{
    ScriptedUi ui;
    StatusBarHost host(ui);
    StatusReporter status(ui);
    int created = 0;
    status.WindowCreated.connect([&](frmProgress&) { ++created; });
    host.answerSetStatus = [](HostStatusCall& call) {
        if (call.message == "Bericht 2")
            call.message = "CANCELLED";
        else if (call.message == "Bericht 3")
            call.message = "Bericht 3 van 10";
    };

    status.InitStatus(10, "HDN berichten", "Verplaatsen", true, &host);
    QString message = "Bericht 1";
    bool cancelled = true;
    status.SetStatus(message, cancelled, true);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(message, "Bericht 1");
    message = "Bericht 2";
    status.SetStatus(message, cancelled, false);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(message, "CANCELLED");
    message = "Bericht 3";
    status.SetStatus(message, cancelled, true);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(message, "Bericht 3 van 10");
    status.TermStatus();

    EXPECT_EQ(created, 0);
    EXPECT_EQ(status.window(), nullptr);
    EXPECT_EQ(ui.doEventsCount(), 0);
    ASSERT_EQ(host.calls.size(), 5u);
    const QStringList procedures{"InitStatus", "SetStatus", "SetStatus", "SetStatus", "TermStatus"};
    for (std::size_t i = 0; i < host.calls.size(); ++i) {
        EXPECT_EQ(host.calls[i].procedure, procedures[qsizetype(i)]);
        EXPECT_EQ(host.calls[i].caller, "Instellingen");
        EXPECT_EQ(host.calls[i].component, "Tarvelomain");
    }
    const HostStatusCall& init = host.calls[0].received;
    EXPECT_EQ(init.maxSteps, 10);
    EXPECT_EQ(init.caption, "HDN berichten");
    EXPECT_EQ(init.message, "Verplaatsen");
    EXPECT_TRUE(init.allowCancel);
    EXPECT_EQ(host.calls[1].received.message, "Bericht 1");
    EXPECT_TRUE(host.calls[1].received.step);
    EXPECT_FALSE(host.calls[2].received.step);

    // The next status without an owner uses the own window again.
    status.InitStatus(0, "", "Zelf", false);
    EXPECT_EQ(created, 1);
    EXPECT_FALSE(setStatus(status, "Zelf"));
    EXPECT_EQ(host.calls.size(), 5u);
}
