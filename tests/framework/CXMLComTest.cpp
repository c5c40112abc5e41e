#include "framework/xml/CXMLCom.h"
#include "framework/errors/RuntimeError.h"
#include "framework/xml/XmlNodes.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::LocalHttpServer;

namespace {

LocalHttpServer::Response reply(int status, QByteArray reason, QByteArray body, QByteArray contentType = "text/xml")
{
    return {status, std::move(reason), {{"Content-Type", contentType}}, std::move(body)};
}

void request(CXMLCom& com, const char* xml = "<vraag><id>7</id></vraag>")
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml));
    com.setXMLRequest(document);
}

class CXMLComTest : public ::testing::Test {
protected:
    void SetUp() override { tarvelo::testing::widgetApplication(); }
};

} // namespace

// The request arrives as posted XML; a 200 reply in ISO-8859-1 with accents reads back exactly.
TEST_F(CXMLComTest, PostsTheRequestAndDecodesTheReplyInItsCharacterSet)
{
    LocalHttpServer server([](const LocalHttpServer::Request&) {
        return reply(200, "OK",
                     QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><tarvelo_emailbericht><melding>"
                                "Caf\xe9 na\xefve \xe0 la cr\xe8me</melding></tarvelo_emailbericht>"));
    });
    CXMLCom com;
    EXPECT_EQ(com.CharSet(), "iso-8859-1");
    com.setURL(server.address() + "dienst");
    request(com);
    ASSERT_TRUE(com.SendXML());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].method, "POST");
    EXPECT_EQ(server.requests()[0].target, "/dienst");
    EXPECT_TRUE(server.requests()[0].body.contains("<vraag><id>7</id></vraag>"));
    EXPECT_EQ(com.ReadMailResponse(), QString::fromUtf8("Café naïve à la crème"));
    EXPECT_EQ(GetNodeText(com.XMLResponse(), "//melding"), QString::fromUtf8("Café naïve à la crème"));
    EXPECT_EQ(GetNodeText(com.XMLResponse(), "//bestaatniet"), QString());
    EXPECT_TRUE(com.MELDING().isEmpty());
}

// A status other than 200 gives number and text; a reply that is no XML gives the parse error;
// neither leaves the reply of an earlier, successful call behind.
TEST_F(CXMLComTest, FailedCallsReportTheirReasonAndLeaveNoOlderReply)
{
    int status = 200;
    QByteArray body = "<tarvelo_emailbericht><melding>ok</melding></tarvelo_emailbericht>";
    LocalHttpServer server([&](const LocalHttpServer::Request&) {
        return status == 200 ? reply(200, "OK", body)
                             : reply(status, status == 404 ? "Not Found" : "Internal Server Error", "fout");
    });
    CXMLCom com;
    com.setURL(server.address());
    request(com);
    ASSERT_TRUE(com.SendXML());
    EXPECT_EQ(com.ReadMailResponse(), "ok");

    status = 404;
    EXPECT_FALSE(com.SendXML());
    EXPECT_EQ(com.MELDING(), "404. Not Found");
    EXPECT_FALSE(com.XMLResponse().first_child());
    try {
        com.ReadMailResponse();
        FAIL() << "geen fout";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), "geen childnodes");
        EXPECT_EQ(e.source(), "CXMLCom.ReadMailResponse");
    }

    status = 500;
    EXPECT_FALSE(com.SendXML());
    EXPECT_EQ(com.MELDING(), "500. Internal Server Error");

    status = 200;
    body = "dit is geen xml";
    EXPECT_FALSE(com.SendXML());
    EXPECT_TRUE(com.MELDING().contains(", ")) << com.MELDING().toStdString();
    EXPECT_FALSE(com.MELDING().startsWith("200"));

    const struct {
        QByteArray body;
        const char* raised;
    } missing[] = {{"<ander/>", "geen rootnode"},
                   {"<tarvelo_emailbericht><x/></tarvelo_emailbericht>", "geen meldingnode"}};
    for (const auto& m : missing) {
        body = m.body;
        ASSERT_TRUE(com.SendXML());
        try {
            com.ReadMailResponse();
            ADD_FAILURE() << "geen fout voor " << m.raised;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.description(), m.raised);
        }
    }
}

// A service that cannot be reached is raised to the caller, never answered with an old reply.
TEST_F(CXMLComTest, AnUnreachableServiceRaises)
{
    quint16 port = 0;
    {
        LocalHttpServer closed([](const LocalHttpServer::Request&) { return reply(200, "OK", "<a/>"); });
        port = closed.port();
    }
    CXMLCom com;
    com.setURL(u"http://127.0.0.1:%1/"_s.arg(port));
    request(com);
    EXPECT_THROW(com.SendXML(), RuntimeError);
    EXPECT_FALSE(com.XMLResponse().first_child());
}

// The proxy the user entered is used with its credentials; without an address no proxy is used,
// also not the machine's own proxy setting, and a user alone changes nothing.
TEST_F(CXMLComTest, GoesThroughTheEnteredProxyWithItsCredentialsOnly)
{
    const QByteArray expected = "Basic " + QByteArray("jan:geheim").toBase64();
    LocalHttpServer proxy([&](const LocalHttpServer::Request& r) {
        if (r.headers.value("proxy-authorization") != expected)
            return LocalHttpServer::Response{
                407, "Proxy Authentication Required", {{"Proxy-Authenticate", "Basic realm=\"kantoor\""}}, {}};
        return reply(200, "OK", "<tarvelo_emailbericht><melding>via proxy</melding></tarvelo_emailbericht>");
    });
    LocalHttpServer direct([](const LocalHttpServer::Request&) {
        return reply(200, "OK", "<tarvelo_emailbericht><melding>direct</melding></tarvelo_emailbericht>");
    });

    CXMLCom com;
    request(com);
    com.setURL(u"http://mailer.invalid/TarveloMailSender/MailSender.aspx"_s);
    com.Set_ProxyAuthentication(u"127.0.0.1:%1"_s.arg(proxy.port()), "jan", "geheim");
    ASSERT_TRUE(com.SendXML()) << com.MELDING().toStdString();
    EXPECT_EQ(com.ReadMailResponse(), "via proxy");
    EXPECT_EQ(proxy.requests().last().target, "http://mailer.invalid/TarveloMailSender/MailSender.aspx");

    // wrong credentials: the proxy's refusal is raised, nothing is read as an answer
    com.Set_ProxyAuthentication(u"http://127.0.0.1:%1"_s.arg(proxy.port()), "jan", "fout");
    EXPECT_THROW(com.SendXML(), RuntimeError);
    EXPECT_FALSE(com.XMLResponse().first_child());

    // no address: straight to the service, even with the machine's proxy variable set
    const QByteArray before = qgetenv("http_proxy");
    qputenv("http_proxy", u"http://127.0.0.1:%1"_s.arg(proxy.port()).toUtf8());
    const qsizetype proxied = proxy.requests().size();
    com.Set_ProxyAuthentication(QString(), "jan", "geheim");
    com.setURL(direct.address());
    const bool sent = com.SendXML();
    qputenv("http_proxy", before);
    ASSERT_TRUE(sent);
    EXPECT_EQ(com.ReadMailResponse(), "direct");
    EXPECT_EQ(proxy.requests().size(), proxied);
    EXPECT_FALSE(direct.requests().last().headers.contains("proxy-authorization"));
}

// The server's certificate is verified: a self-signed one is refused, unless the office names
// that certificate's file.
TEST_F(CXMLComTest, VerifiesTheServerCertificate)
{
    QTemporaryDir folder;
    const auto certificate = tarvelo::testing::makeTestCertificate(folder.path());
    LocalHttpServer server(
        [](const LocalHttpServer::Request&) {
            return reply(200, "OK", "<tarvelo_emailbericht><melding>ok</melding></tarvelo_emailbericht>");
        },
        certificate.certificate, certificate.key);
    CXMLCom com;
    request(com);
    com.setURL(server.address());
    EXPECT_THROW(com.SendXML(), RuntimeError);
    EXPECT_TRUE(server.requests().isEmpty()); // the message never left

    com.setServerCertificaat(certificate.certificateFile);
    ASSERT_TRUE(com.SendXML());
    EXPECT_EQ(com.ReadMailResponse(), "ok");
    EXPECT_EQ(server.requests().size(), 1);

    com.setServerCertificaat(folder.path() + "/bestaat-niet.pem");
    EXPECT_THROW(com.SendXML(), RuntimeError);
}
