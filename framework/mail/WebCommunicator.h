#pragma once

#include "framework/xml/CXMLCom.h"

#include <QString>

namespace tarvelo {

// The shared web communicator: posts an XML text to a web address, with the
// character set and the proxy it is given, and reads the mail-sender
// service's answer.
class WebCommunicator {
public:
    void setURL(const QString& url) { com_.setURL(url); }
    void setCharSet(const QString& charSet) { com_.setCharSet(charSet); }
    void Set_ProxyAuthentication(const QString& url, const QString& user, const QString& password)
    {
        com_.Set_ProxyAuthentication(url, user, password);
    }
    void setServerCertificaat(const QString& file) { com_.setServerCertificaat(file); }
    void setTimeouts(CXMLCom::Timeouts timeouts) { com_.setTimeouts(timeouts); }
    // Raises when the text is no XML.
    void setRequestXML(const QString& xml);
    // Raises when the service cannot be reached, answers with another status
    // than 200 (the status in the description) or with a reply that is no XML.
    void send();
    QString ReadMailResponse() const { return com_.ReadMailResponse(); }

private:
    CXMLCom com_;
};

} // namespace tarvelo
