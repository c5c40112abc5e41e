#include "pages/database_hdn/CWeslyHDN.h"
#include "framework/registry/Registry.h"
#include "pages/database_hdn/WeslyService.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

class FakeService final : public WeslyService {
public:
    QString state() override { return current; }
    void start() override { current = u"Running"_s; }
    void stop() override { current = u"Stopped"_s; }
    QString current = u"Running"_s;
};

// An HDN client installation of our own client library, on a shared network folder.
struct Installation {
    explicit Installation(const QString& network, const QString& node = QString())
    {
        QDir root(dir.path());
        root.mkpath("bin");
        root.mkpath("config");
        EXPECT_TRUE(
            QFile::copy(QString::fromUtf8(HDN_CLIENT_LIBRARY), root.filePath("bin/" + CWeslyHDN::LibraryFileName())));
        write("config/network", network);
        if (!node.isEmpty()) {
            write("config/node", node);
            QDir(network).mkpath(node);
        }
    }
    void write(const QString& file, const QString& text)
    {
        QFile f(QDir(dir.path()).filePath(file));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

struct WeslyTest : PageTest {
    Registry& reg() { return h.app().registry(); }
    QTemporaryDir network;
    FakeService service;
    long number = 99;
    QString text = u"<niet gezet>"_s;
};

} // namespace

TEST_F(WeslyTest, InstallationFromTheRegistryAndThePathRules)
{
    Installation client(network.path(), "123456");
    {
        CWeslyHDN wesly(reg(), service);
        EXPECT_TRUE(wesly.WeslyClientPath().isEmpty());
        EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
        EXPECT_EQ(number, -1);
        EXPECT_EQ(text, "Locatie niet gespecificeerd.");
    }
    reg().RegSetString(Hive::HKEY_LOCAL_MACHINE, "Software\\Wow6432Node\\CS Engineering\\HDN", "Installdir",
                       client.path() + "/");
    CWeslyHDN wesly(reg(), service);
    EXPECT_EQ(wesly.WeslyClientPath(), client.path());
    wesly.setWeslyClientPath(QString());
    EXPECT_EQ(wesly.WeslyClientPath(), "/opt/HDN");
    // A folder that does not exist is stored; the current directory stays where it was.
    const QString before = QDir::currentPath();
    wesly.setWeslyClientPath(client.path() + "/bestaat-niet/");
    EXPECT_EQ(wesly.WeslyClientPath(), client.path() + "/bestaat-niet");
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, -2);
    EXPECT_EQ(text, "Locatie niet gevonden. Locatie: " + client.path() + "/bestaat-niet");
    QDir(client.path()).mkpath("leeg");
    wesly.setWeslyClientPath(client.path() + "/leeg");
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, -3);
    EXPECT_EQ(text, "Weslycln.dll niet gevonden in: " + client.path() + "/leeg/bin/");
}

// Without an installation folder no library is looked for (not even in "/bin"): every call of the client
// fails as the availability check does, with "Locatie niet gespecificeerd.".
TEST_F(WeslyTest, WithoutAnInstallationFolderNothingIsLoaded)
{
    CWeslyHDN wesly(reg(), service);
    ASSERT_TRUE(wesly.WeslyClientPath().isEmpty());
    QFile message(h.folder() + "/bericht.xml");
    ASSERT_TRUE(message.open(QIODevice::WriteOnly));
    message.close();
    const auto expectAbsent = [&](const char* call, bool result) {
        SCOPED_TRACE(call);
        EXPECT_FALSE(result);
        EXPECT_EQ(number, -1);
        EXPECT_EQ(text, "Locatie niet gespecificeerd.");
        number = 99;
        text = u"<niet gezet>"_s;
    };
    QString node = u"<niet gezet>"_s;
    long count = 0;
    expectAbsent("nodenummer", wesly.WeslyHDNGetNodeNumber(node, number, text));
    EXPECT_EQ(node, "<niet gezet>");
    expectAbsent("verzenden", wesly.WeslyHDNSend(message.fileName(), number, text));
    expectAbsent("ontvangen", wesly.WeslyHDNReceiveFrom(u"123"_s, h.folder() + "/in.xml", count, number, text));
    expectAbsent("valideren", wesly.WeslyHDNValidate(message.fileName(), h.folder() + "/vx.xml", number, text));
    expectAbsent("certificaat", wesly.WeslyHDNIsCertActive(number, text));
}

// The checks run in their order; the first that fails wins.
TEST_F(WeslyTest, AvailabilityChecksInOrder)
{
    Installation client(network.path());
    CWeslyHDN wesly(reg(), service);
    wesly.setWeslyClientPath(client.path());
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text, true));
    EXPECT_EQ(number, 0) << "only the library file is checked";
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, -4);
    EXPECT_EQ(text, "Nodenummer niet gevonden. Wellicht geen certificaat");
    client.write("config/node", "654321");
    client.write("config/certificaat", "-1");
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, -5);
    EXPECT_EQ(text, "Certificaat niet actief");
    client.write("config/certificaat", "12");
    service.current = "Stopped";
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, -6) << "a certificate valid for 12 more days is active";
    EXPECT_EQ(text, "Service niet gestart");
    EXPECT_TRUE(wesly.SetWeslyServiceState(E_wssStart, number, text));
    QString state;
    EXPECT_TRUE(wesly.GetWeslyServiceState(state, number, text));
    EXPECT_EQ(state, "Running");
    EXPECT_TRUE(wesly.IsWeslyAvailable(number, text));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(wesly.WeslyHDNIsCertActive(number, text));
    EXPECT_EQ(number, 12);
    EXPECT_EQ(text, "Het certificaat is geldig en nog 12 dagen geldig.");
}

TEST_F(WeslyTest, SendReceiveValidateAndNodeNumberThroughTheClientLibrary)
{
    Installation office(network.path(), "100001");
    Installation lender(network.path(), "200002");
    CWeslyHDN wesly(reg(), service);
    wesly.setWeslyClientPath(office.path());
    QString node;
    EXPECT_TRUE(wesly.WeslyHDNGetNodeNumber(node, number, text));
    EXPECT_EQ(node, "100001");
    EXPECT_EQ(node.size(), 6) << "the buffer's NUL characters are removed";
    EXPECT_EQ(text, "Nodenummer is bekend");

    // A file that is not there is refused before the library is asked.
    EXPECT_TRUE(wesly.WeslyHDNSend(office.path() + "/geen.xml", number, text));
    EXPECT_EQ(number, 1009);
    EXPECT_EQ(text, "Te verzenden bestand niet gevonden.");

    const QString message = office.path() + "/aanvraag.xml";
    QFile file(message);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<AXBericht><Header><Ontvanger>200002</Ontvanger></Header></AXBericht>");
    file.close();
    EXPECT_TRUE(wesly.WeslyHDNValidate(message, QString(), number, text));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "Het bericht is correct.");
    EXPECT_TRUE(wesly.WeslyHDNSend(message, number, text));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "Bericht is verzonden. Er zijn geen fouten opgetreden.");

    CWeslyHDN other(reg(), service);
    other.setWeslyClientPath(lender.path());
    long count = -1;
    const QString received = lender.path() + "/ontvangen.xml";
    EXPECT_TRUE(other.WeslyHDNReceiveFrom("100001", received, count, number, text));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(text, "Het ontvangen bericht is opgeslagen in het opgegeven bestand.");
    EXPECT_TRUE(QFile::exists(received));
    EXPECT_TRUE(other.WeslyHDNReceiveFrom("100001", received, count, number, text));
    EXPECT_EQ(number, 503);
    EXPECT_EQ(text, "Er staat geen bericht klaar bij de opgegeven node.");

    file.open(QIODevice::WriteOnly);
    file.write("<AXBericht><Header><Ontvanger>999999</Ontvanger></Header></AXBericht>");
    file.close();
    EXPECT_TRUE(wesly.WeslyHDNSend(message, number, text));
    EXPECT_EQ(number, 1006);
    file.open(QIODevice::WriteOnly);
    file.write("geen xml");
    file.close();
    EXPECT_TRUE(wesly.WeslyHDNValidate(message, QString(), number, text));
    EXPECT_EQ(number, 1032);
    EXPECT_EQ(text, "Het te valideren bericht is geen XML bestand.");
}

TEST(WeslyTexts, ResultTextsOfEveryGroup)
{
    EXPECT_EQ(CWeslyHDN::ReceiveText(1008), CWeslyHDN::SendText(1008));
    EXPECT_EQ(CWeslyHDN::ReceiveText(1019), CWeslyHDN::SendText(1019));
    EXPECT_EQ(CWeslyHDN::SendText(1019),
              "De operatie kan niet voltooid worden omdat het interne geheugen op is. Zorg voor "
              "voldoende intern geheugen.");
    EXPECT_EQ(CWeslyHDN::SendText(1002), "Er kan geen digitale handtekening gezet worden. Zorg dat er een geldig HDN "
                                         "certificaat is aangevraagd.");
    EXPECT_EQ(CWeslyHDN::ReceiveText(1002), "Er is een bericht ontvangen waarvan de digitale handtekening niet klopt.");
    EXPECT_EQ(CWeslyHDN::ReceiveText(1014),
              "Het ontvangen bericht kan niet opgeslagen worden omdat de doelschijf vol zit.");
    EXPECT_EQ(CWeslyHDN::ValidateText(1036),
              "Tijdens het valideren van het HDN bericht zijn er fouten gevonden die door de "
              "eindgebruiker middels een popup te herstellen zijn.");
    EXPECT_EQ(CWeslyHDN::CertificateText(0), "Het certificaat is actief.");
    EXPECT_EQ(CWeslyHDN::CertificateText(-3), "Er is geen certificaat geinstalleerd");
    EXPECT_TRUE(CWeslyHDN::SendText(503).isEmpty());
    EXPECT_TRUE(CWeslyHDN::NodeNumberText(1).isEmpty());
}
