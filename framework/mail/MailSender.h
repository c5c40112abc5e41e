#pragma once

#include <QString>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Application;
class CEmail;

// Sends mail through the product's mail-sender service.
namespace MailSender {

// The service's page under the product's web server.
inline const QString ServicePath = u"TarveloMailSender/MailSender.aspx"_s;
// The web server when the installation names none ("UrlServer").
inline const QString StandaardWebServer = u"https://services.quenmarix.nl/"_s;
// The address the product's own messages come from.
inline const QString NoReplyAdres = u"noreply@quenmarix.nl"_s;

// The service's full address: the web server the installation names, or the product's own.
QString serviceAdres(Application& application);

// Posts the message in UTF-8, through the proxy of the user's proxy settings
// when they are in use, and gives the service's answer ("ok" when it took
// the message). Raises when the message cannot be sent as written (a body
// with characters outside the ANSI code page), when the service cannot be
// reached or fails, or when its reply holds no answer.
QString send(Application& application, const CEmail& message);

} // namespace MailSender

} // namespace tarvelo
