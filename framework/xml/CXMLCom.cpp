#include "framework/xml/CXMLCom.h"

#include "framework/errors/RuntimeError.h"
#include "framework/xml/XmlNodes.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

const QString SendSource = u"CXMLCom.SendXML"_s;

[[noreturn]] void raise(const QString& description)
{
    throw RuntimeError(ErrorNumber::ApplicationDefined, description, SendSource);
}

// The proxy as the user entered it: "host:port", with or without "http://".
QNetworkProxy proxyFor(const QString& address, const QString& user, const QString& password)
{
    const QString trimmed = address.trimmed();
    const QUrl url = QUrl::fromUserInput(trimmed.contains(u"://"_s) ? trimmed : u"http://"_s + trimmed);
    if (!url.isValid() || url.host().isEmpty())
        raise(u"Het proxyserveradres '%1' is ongeldig."_s.arg(address));
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, url.host(), quint16(url.port(8080)));
    if (!user.isEmpty()) {
        proxy.setUser(user);
        proxy.setPassword(password);
    }
    return proxy;
}

QList<QSslCertificate> certificatesIn(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        raise(u"Het certificaatbestand '%1' kan niet worden gelezen."_s.arg(file));
    const QByteArray data = in.readAll();
    QList<QSslCertificate> certificates = QSslCertificate::fromData(data, QSsl::Pem);
    if (certificates.isEmpty())
        certificates = QSslCertificate::fromData(data, QSsl::Der);
    if (certificates.isEmpty())
        raise(u"Het bestand '%1' bevat geen certificaat."_s.arg(file));
    return certificates;
}

} // namespace

CXMLCom::CXMLCom() = default;

void CXMLCom::Set_ProxyAuthentication(const QString& Om_Url, const QString& Om_User, const QString& Om_Pwd)
{
    proxyUrl_ = Om_Url;
    proxyUser_ = Om_User;
    proxyPassword_ = Om_Pwd;
}

bool CXMLCom::SendXML()
{
    response_.reset();
    melding_.clear();

    const QUrl url(url_);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        raise(u"Het adres '%1' is ongeldig."_s.arg(url_));

    QNetworkAccessManager manager;
    // Only the proxy the user entered; never one of the machine's own settings.
    manager.setProxy(proxyUrl_.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy)
                                         : proxyFor(proxyUrl_, proxyUser_, proxyPassword_));

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"text/xml; charset=UTF-8"_s);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!serverCertificaat_.isEmpty())
        ssl.addCaCertificates(certificatesIn(serverCertificaat_));
    request.setSslConfiguration(ssl);

    QNetworkReply* reply = manager.post(request, xmlText(request_).toUtf8());
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    // Connecting may take its own time; once bytes move, each direction has its own limit.
    QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, [&](qint64 sent, qint64) {
        if (sent > 0)
            timer.start(timeouts_.send);
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&] { timer.start(timeouts_.receive); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeouts_.connect);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString statusText = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QByteArray body = reply->readAll();
    reply->deleteLater();

    if (timedOut)
        raise(u"De webservice op '%1' antwoordt niet binnen de gestelde tijd."_s.arg(url_));
    if (!status.isValid() || error == QNetworkReply::ProxyAuthenticationRequiredError) {
        if (error == QNetworkReply::NoError)
            raise(u"De webservice op '%1' gaf geen antwoord."_s.arg(url_));
        raise(u"De webservice op '%1' is niet bereikbaar: %2"_s.arg(url_, errorText));
    }
    if (status.toInt() != 200) {
        melding_ = QString::number(status.toInt()) + u". "_s + statusText;
        return false;
    }

    QStringDecoder decoder(charSet_.toUtf8().constData());
    if (!decoder.isValid())
        raise(u"De tekenset '%1' is onbekend."_s.arg(charSet_));
    const QString text = decoder.decode(body);
    // The text is already decoded: an encoding named in its declaration no longer applies.
    const QByteArray utf8 = text.toUtf8();
    const pugi::xml_parse_result parsed = response_.load_buffer(
        utf8.constData(), std::size_t(utf8.size()), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    if (!parsed || !response_.document_element()) {
        const QString reason = parsed ? u"Geen hoofdelement"_s : QString::fromUtf8(parsed.description());
        melding_ =
            QString::number(parsed ? int(pugi::status_no_document_element) : int(parsed.status)) + u", "_s + reason;
        response_.reset();
        return false;
    }
    return true;
}

QString CXMLCom::ReadMailResponse() const
{
    const QString source = u"CXMLCom.ReadMailResponse"_s;
    if (!response_.first_child())
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"geen childnodes"_s, source);
    const pugi::xml_node root = response_.child("tarvelo_emailbericht");
    if (!root)
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"geen rootnode"_s, source);
    const pugi::xml_node melding = root.child("melding");
    if (!melding)
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"geen meldingnode"_s, source);
    return QString::fromUtf8(melding.text().get());
}

} // namespace tarvelo
