#include "framework/mail/MailSender.h"
#include "framework/errors/RuntimeError.h"
#include "framework/mail/CEmail.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ProxySettings.h"
#include "framework/util/Base64.h"
#include "framework/xml/XmlNodes.h"
#include "host/testing/PageHarness.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::LocalHttpServer;

namespace {

void setWebServer(tarvelo::testing::PageHarness& h, const QString& address)
{
    h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                    QString(RegistryNames::UrlServer), address);
}

CEmail message(const QString& body)
{
    CEmail mail;
    mail.Onderwerp = u"Onderwerp"_s;
    mail.Inhoud = body;
    mail.AddAan({u"Jan"_s, u"jan@voorbeeld.nl"_s});
    return mail;
}

LocalHttpServer::Response answer(QByteArray melding)
{
    return {200,
            "OK",
            {{"Content-Type", "text/xml; charset=utf-8"}},
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><tarvelo_emailbericht><melding>" + melding +
                "</melding></tarvelo_emailbericht>"};
}

} // namespace

// The message goes to the service's page under the installation's web server, as UTF-8 XML.
TEST(MailSender, PostsTheMessageToTheMailSenderService)
{
    tarvelo::testing::widgetApplication();
    tarvelo::testing::PageHarness h;
    LocalHttpServer server([](const LocalHttpServer::Request&) { return answer("ok"); });
    setWebServer(h, server.address().chopped(1)); // without the closing slash
    EXPECT_EQ(MailSender::serviceAdres(h.app()), server.address() + "TarveloMailSender/MailSender.aspx");
    EXPECT_EQ(MailSender::send(h.app(), message(QString::fromUtf8("Beste Jan, één"))), "ok");
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].target, "/TarveloMailSender/MailSender.aspx");
    pugi::xml_document posted;
    ASSERT_TRUE(
        posted.load_buffer(server.requests()[0].body.constData(), std::size_t(server.requests()[0].body.size())));
    EXPECT_EQ(DecodeBase64(GetNodeText(posted, "/tarvelo_emailbericht/inhoud")), QString::fromUtf8("Beste Jan, één"));
    EXPECT_EQ(GetNodeText(posted, "//aan/geadresseerde/emailadres"), "jan@voorbeeld.nl");

    // a character the ANSI code page lacks is refused before anything is posted
    EXPECT_THROW(MailSender::send(h.app(), message(QString::fromUtf8("Groet \u263A"))), RuntimeError);
    EXPECT_EQ(server.requests().size(), 1);
}

// With the proxy settings in use the message goes through the proxy with the user's credentials.
TEST(MailSender, UsesTheProxySettingsWithCredentials)
{
    tarvelo::testing::widgetApplication();
    tarvelo::testing::PageHarness h;
    const QByteArray expected = "Basic " + QByteArray("proxygebruiker:w8woord").toBase64();
    LocalHttpServer proxy([&](const LocalHttpServer::Request& r) {
        if (r.headers.value("proxy-authorization") != expected)
            return LocalHttpServer::Response{
                407, "Proxy Authentication Required", {{"Proxy-Authenticate", "Basic realm=\"proxy\""}}, {}};
        return answer("ok");
    });
    setWebServer(h, "http://mail.quenmarix.invalid/");
    ProxySettings& settings = h.setup().get<ProxySettings>();
    settings.ProxyGebruiken = true;
    settings.ProxyAdres = u"127.0.0.1:%1"_s.arg(proxy.port());
    settings.ProxyGebruikersnaam = u"proxygebruiker"_s;
    settings.ProxyWachtwoord = u"w8woord"_s;
    EXPECT_EQ(MailSender::send(h.app(), message("Hallo")), "ok");
    EXPECT_EQ(proxy.requests().last().target, "http://mail.quenmarix.invalid/TarveloMailSender/MailSender.aspx");

    // proxy switched off: the unreachable service is raised, the proxy is not asked
    settings.ProxyGebruiken = false;
    quint16 closedPort = 0;
    {
        LocalHttpServer closed([](const LocalHttpServer::Request&) { return answer("ok"); });
        closedPort = closed.port();
    }
    setWebServer(h, u"http://127.0.0.1:%1/"_s.arg(closedPort));
    const qsizetype asked = proxy.requests().size();
    EXPECT_THROW(MailSender::send(h.app(), message("Hallo")), RuntimeError);
    EXPECT_EQ(proxy.requests().size(), asked);
}
