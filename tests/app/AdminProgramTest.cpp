#include "app/AdminProgram.h"
#include "app/CommandLine.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "host/office/DataFolder.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// The input as a terminal or a pipe would give it, with what was asked.
class TypedInput final : public AdminInput {
public:
    TypedInput(bool terminal, std::deque<QString> lines) : terminal_(terminal), lines_(std::move(lines)) {}
    bool isTerminal() const override { return terminal_; }
    std::optional<QString> readLine(const QString& prompt, bool hidden) override
    {
        prompts << prompt;
        allHidden = allHidden && hidden;
        if (lines_.empty())
            return std::nullopt;
        QString line = lines_.front();
        lines_.pop_front();
        return line;
    }
    QStringList prompts;
    bool allHidden = true;

private:
    bool terminal_;
    std::deque<QString> lines_;
};

class AdminProgramTest : public ::testing::Test {
protected:
    AdminProgramTest()
    {
        tarvelo::testing::widgetApplication();
        config_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(dir.path()).filePath(u"config"_s)));
    }
    ~AdminProgramTest() override { qputenv("XDG_CONFIG_HOME", config_); }

    int run(const QStringList& words, TypedInput& input)
    {
        const CommandLine line = CommandLine::parse(words + QStringList{u"--data"_s, data()});
        EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
        return runAdminCommand(line, input);
    }
    QString data() const { return QDir(dir.path()).filePath(u"kantoor"_s); }
    QString file(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }
    QString storedPassword()
    {
        ScriptedUi ui;
        ReferenceApplication office(ui, data());
        return office.SettingsObject().get<ProxySettings>().ProxyWachtwoord;
    }

    QTemporaryDir dir;
    QByteArray config_;
};

} // namespace

// Catches a file password echoed while typed or mistyped unseen: on a terminal
// every password is read hidden, an export asks twice and refuses two that
// differ, an import asks once; from a pipe each is one line.
TEST_F(AdminProgramTest, FilePasswordsAreReadHiddenAndAnExportAsksTwice)
{
    TypedInput differ(true, {u"wachtzin"_s, u"wachtzni"_s});
    EXPECT_EQ(run({u"export"_s, file("a.json"), u"--wachtwoorden"_s}, differ), 1);
    EXPECT_EQ(differ.prompts.size(), 2);
    EXPECT_FALSE(QFileInfo::exists(file("a.json")));

    TypedInput twice(true, {u"wachtzin"_s, u"wachtzin"_s});
    EXPECT_EQ(run({u"export"_s, file("b.json"), u"--wachtwoorden"_s}, twice), 0);
    EXPECT_EQ(twice.prompts.size(), 2);
    EXPECT_TRUE(twice.allHidden);
    EXPECT_TRUE(QFileInfo::exists(file("b.json")));

    TypedInput once(true, {u"wachtzin"_s});
    EXPECT_EQ(run({u"import"_s, file("b.json")}, once), 0);
    EXPECT_EQ(once.prompts.size(), 1);
    EXPECT_TRUE(once.allHidden);

    TypedInput piped(false, {u"wachtzin"_s});
    EXPECT_EQ(run({u"export"_s, file("c.json"), u"--wachtwoorden"_s}, piped), 0);
    EXPECT_EQ(piped.prompts.size(), 1);
}

// Catches a password that must stand on the command line: "set NAME -" reads
// a secret's value from the input (hidden and twice on a terminal), while "-"
// stays an ordinary value of other settings.
TEST_F(AdminProgramTest, ASecretsValueIsReadFromTheInputForADash)
{
    TypedInput typed(true, {u"g3h€im"_s, u"g3h€im"_s});
    EXPECT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, typed), 0);
    EXPECT_TRUE(typed.allHidden);
    EXPECT_EQ(storedPassword(), u"g3h€im"_s);

    TypedInput mistyped(true, {u"nieuw"_s, u"nieuq"_s});
    EXPECT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, mistyped), 1);
    EXPECT_EQ(storedPassword(), u"g3h€im"_s);

    TypedInput nothing(false, {});
    EXPECT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, nothing), 1);
    EXPECT_EQ(storedPassword(), u"g3h€im"_s);

    TypedInput piped(false, {u"uit-een-script"_s});
    EXPECT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, piped), 0);
    EXPECT_EQ(piped.prompts.size(), 1);
    EXPECT_EQ(storedPassword(), u"uit-een-script"_s);

    TypedInput unused(true, {});
    EXPECT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"-"_s}, unused), 0);
    EXPECT_TRUE(unused.prompts.isEmpty());
    ScriptedUi ui;
    EXPECT_EQ(ReferenceApplication(ui, data()).SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"-"_s);
}

// Catches the program's own warnings reaching a terminal raw while a command
// runs: a warning that quotes a name with an escape sequence (here the data
// folder's, when its registry file cannot be opened) is shown escaped.
TEST_F(AdminProgramTest, WarningsReachATerminalEscaped)
{
    const QString folder = QDir(dir.path()).filePath(u"kantoor\x1B[31m"_s);
    ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(u"HKEY_LOCAL_MACHINE.hive"_s)));
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(terminal, STDERR_FILENO);
    TypedInput none(false, {});
    runAdminCommand(CommandLine::parse({u"get"_s, u"ProxyAdres"_s, u"--data"_s, folder}), none);
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);

    QByteArray shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, n);
    ::close(terminal);
    ::close(master);
    EXPECT_TRUE(shown.contains("kantoor\\x1B[31m")) << shown.toStdString();
    EXPECT_FALSE(shown.contains('\x1B')) << shown.toStdString();
}

// Catches a command that ends the program (terminate, SIGABRT) when another
// program holds the office file through the whole command: it is refused with
// exit status 1 and a reason, and stores nothing.
TEST_F(AdminProgramTest, ASetWhileAnotherProgramHoldsTheFileIsRefused)
{
    TypedInput none(false, {});
    ASSERT_EQ(run({u"get"_s, u"ProxyAdres"_s}, none), 0);
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"houder"_s);
        holder.setDatabaseName(DataFolder::officeDatabasePath(data()));
        ASSERT_TRUE(holder.open());
        QSqlQuery hold(holder);
        ASSERT_TRUE(hold.exec(u"BEGIN IMMEDIATE"_s)) << hold.lastError().text().toStdString();
        EXPECT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"nieuw:80"_s}, none), 1);
        // Also when it holds the file whole from after the office was opened:
        // the save fails, and so does reading the settings again after it.
        ScriptedUi screen;
        CollectingUi quiet(screen);
        ReferenceApplication opened(quiet, data());
        opened.setShowErrorsToUser(false);
        ASSERT_TRUE(hold.exec(u"ROLLBACK"_s) && hold.exec(u"BEGIN EXCLUSIVE"_s))
            << hold.lastError().text().toStdString();
        AdminRequest request;
        request.command = u"set"_s;
        request.arguments = {u"ProxyAdres"_s, u"nieuw:80"_s};
        AdminResult refused;
        EXPECT_NO_THROW(refused = AdminCommands::run(opened, request, [] { return std::optional<QString>(); }));
        EXPECT_EQ(refused.status, AdminCommands::Refused);
        EXPECT_TRUE(refused.err.contains(u"in gebruik door een ander programma"_s)) << refused.err.toStdString();
        hold.exec(u"ROLLBACK"_s);
        hold = QSqlQuery();
        holder.close();
    }
    QSqlDatabase::removeDatabase(u"houder"_s);
    ScriptedUi ui;
    EXPECT_EQ(ReferenceApplication(ui, data()).SettingsObject().get<ProxySettings>().ProxyAdres.get(), QString());
}

// Catches acting for another adviser without saying so or without the right:
// only an administrator works with another adviser's settings, and only with
// --adviseur; that adviser's Setup changes, not his own.
TEST_F(AdminProgramTest, OnlyAnAdministratorActsForAnotherAdviser)
{
    TypedInput none(false, {});
    ASSERT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"beheerder:80"_s, u"--adviseur"_s, u"anna.bakker"_s}, none), 0);
    ScriptedUi ui;
    const auto addressOf = [&](const QString& surname) {
        ReferenceApplication office(ui, data());
        QSqlQuery q = office.officeDatabase().exec(u"SELECT Code FROM Adviseur WHERE Achternaam = ?"_s, {surname});
        EXPECT_TRUE(q.next());
        office.setCurrentAdviser({q.value(0).toString(), surname});
        office.reloadSettings();
        return office.SettingsObject().get<ProxySettings>().ProxyAdres.get();
    };
    EXPECT_EQ(addressOf(u"Bakker"_s), u"beheerder:80"_s);
    EXPECT_EQ(addressOf(u"Vries"_s), QString());
    EXPECT_EQ(run({u"get"_s, u"ProxyAdres"_s, u"--adviseur"_s, u"niemand"_s}, none), 1);
    // Another adviser's own password would be sealed with a key his
    // workstation lacks: it is refused before anything is asked or stored.
    TypedInput typed(false, {u"geheim"_s});
    EXPECT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s, u"--adviseur"_s, u"anna.bakker"_s}, typed), 1);
    EXPECT_TRUE(typed.prompts.isEmpty());
    // An import for him leaves his passwords out and says so; the rest is applied.
    TypedInput own(false, {u"eigen-wachtwoord"_s, u"bestandswachtwoord"_s});
    ASSERT_EQ(run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, own), 0);
    ASSERT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"bestand:80"_s}, none), 0);
    ASSERT_EQ(run({u"export"_s, file("profiel.json"), u"--wachtwoorden"_s}, own), 0);
    TypedInput passphrase(false, {u"bestandswachtwoord"_s});
    EXPECT_EQ(run({u"import"_s, file("profiel.json"), u"--adviseur"_s, u"anna.bakker"_s}, passphrase), 0);
    EXPECT_EQ(addressOf(u"Bakker"_s), u"bestand:80"_s);
    {
        ReferenceApplication office(ui, data());
        QSqlQuery q = office.officeDatabase().exec(u"SELECT Code FROM Adviseur WHERE Achternaam = 'Bakker'"_s);
        ASSERT_TRUE(q.next());
        office.setCurrentAdviser({q.value(0).toString(), u"Bakker"_s});
        office.reloadSettings();
        EXPECT_EQ(office.SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), QString());
    }
    ASSERT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"beheerder:80"_s, u"--adviseur"_s, u"anna.bakker"_s}, none), 0);
    {
        ReferenceApplication office(ui, data());
        office.officeDatabase().exec(u"UPDATE Autorisatie SET Rol = 2"_s);
    }
    EXPECT_EQ(run({u"set"_s, u"ProxyAdres"_s, u"geen-beheerder:80"_s, u"--adviseur"_s, u"anna.bakker"_s}, none), 1);
    EXPECT_EQ(addressOf(u"Bakker"_s), u"beheerder:80"_s);
}
