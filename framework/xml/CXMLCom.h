#pragma once

#include <QString>
#include <pugixml.hpp>

namespace tarvelo {

using namespace Qt::StringLiterals;

// Posts an XML document to a web service and takes the reply back as an XML
// document, through the proxy the user entered when one is set. The server's
// certificate is always verified: against the system's trusted authorities
// and, for a service with a certificate of its own, the certificate file the
// office names (ServerCertificaat).
class CXMLCom {
public:
    // How long a call may wait: connecting, sending and receiving, in ms.
    struct Timeouts {
        int connect = 60000;
        int send = 30000;
        int receive = 30000;
    };

    CXMLCom();
    CXMLCom(const CXMLCom&) = delete;
    CXMLCom& operator=(const CXMLCom&) = delete;

    // The proxy address ("host:port" or "http://host:port") with its user and
    // password; the user and password are offered only with an address.
    void Set_ProxyAuthentication(const QString& Om_Url, const QString& Om_User, const QString& Om_Pwd);

    // The character set in which the reply's body is read.
    const QString& CharSet() const { return charSet_; }
    void setCharSet(const QString& charSet) { charSet_ = charSet; }

    pugi::xml_document& XMLRequest() { return request_; }
    void setXMLRequest(const pugi::xml_document& document) { request_.reset(document); }
    pugi::xml_document& XMLResponse() { return response_; }
    const pugi::xml_document& XMLResponse() const { return response_; }
    void setXMLResponse(const pugi::xml_document& document) { response_.reset(document); }

    const QString& URL() const { return url_; }
    void setURL(const QString& url) { url_ = url; }

    // The text of the last failure: "404. Not Found", or a parse error's code and reason.
    const QString& MELDING() const { return melding_; }

    // A PEM or DER certificate file the office trusts besides the system's
    // authorities; empty for none.
    void setServerCertificaat(const QString& file) { serverCertificaat_ = file; }
    void setTimeouts(Timeouts timeouts) { timeouts_ = timeouts; }

    // True when a reply came with HTTP status 200 and reads as XML. Every call
    // starts from an empty reply, so a failed call never leaves an older one.
    // A service that cannot be reached (no connection, a refused certificate,
    // the proxy refusing the credentials, a time-out) raises a RuntimeError.
    bool SendXML();

    // The text of "melding" in the reply of the mail-sender service; raises
    // "geen childnodes", "geen rootnode" or "geen meldingnode" (source
    // "CXMLCom.ReadMailResponse") when the reply lacks it.
    QString ReadMailResponse() const;

private:
    pugi::xml_document request_;
    pugi::xml_document response_;
    QString url_;
    QString charSet_ = u"iso-8859-1"_s;
    QString melding_;
    QString proxyUrl_, proxyUser_, proxyPassword_;
    QString serverCertificaat_;
    Timeouts timeouts_;
};

} // namespace tarvelo
