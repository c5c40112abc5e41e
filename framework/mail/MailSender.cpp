#include "framework/mail/MailSender.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/mail/CEmail.h"
#include "framework/mail/WebCommunicator.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ProxySettings.h"
#include "framework/text/Ansi.h"

using namespace Qt::StringLiterals;

namespace tarvelo::MailSender {

namespace {
QString machineValue(Application& application, QLatin1StringView name)
{
    return application.registry()
        .RegGetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey), QString(name), QString())
        .trimmed();
}
} // namespace

QString serviceAdres(Application& application)
{
    QString server = machineValue(application, RegistryNames::UrlServer);
    if (server.isEmpty())
        server = StandaardWebServer;
    if (!server.endsWith(QLatin1Char('/')))
        server += QLatin1Char('/');
    return server + ServicePath;
}

QString send(Application& application, const CEmail& message)
{
    // The body travels as ANSI bytes: a character without one would arrive as "?".
    if (!isAnsi(message.Inhoud))
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"Het bericht bevat tekens die niet verstuurd kunnen worden."_s, u"MailSender.send"_s);
    WebCommunicator communicator;
    communicator.setURL(serviceAdres(application));
    communicator.setCharSet(u"UTF-8"_s);
    const ProxySettings& proxy = application.SettingsObject().get<ProxySettings>();
    if (proxy.ProxyGebruiken && !QString(proxy.ProxyAdres).trimmed().isEmpty())
        communicator.Set_ProxyAuthentication(proxy.ProxyAdres, proxy.ProxyGebruikersnaam, proxy.ProxyWachtwoord);
    communicator.setServerCertificaat(machineValue(application, RegistryNames::ServerCertificaat));
    communicator.setRequestXML(message.Make_XMLBericht_AsString());
    communicator.send();
    return communicator.ReadMailResponse();
}

} // namespace tarvelo::MailSender
