#include "tests/support/LocalHttpServer.h"

#include <QFile>
#include <QProcess>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tarvelo::testing {

LocalHttpServer::LocalHttpServer(Handler handler)
    : handler_(std::move(handler)),
      server_(std::make_unique<QTcpServer>())
{
    QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, server_.get(), [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection())
            serve(socket);
    });
    if (!server_->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("kan niet luisteren op 127.0.0.1");
}

LocalHttpServer::LocalHttpServer(Handler handler, const QSslCertificate& certificate, const QSslKey& key)
    : handler_(std::move(handler)),
      tls_(true)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(configuration);
    QObject::connect(server.get(), &QTcpServer::pendingConnectionAvailable, server.get(), [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection())
            serve(socket);
    });
    // A client that refuses the certificate ends the handshake; nothing to do here.
    QObject::connect(server.get(), &QSslServer::errorOccurred, server.get(),
                     [](QSslSocket*, QAbstractSocket::SocketError) {});
    server_ = std::move(server);
    if (!server_->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("kan niet luisteren op 127.0.0.1");
}

LocalHttpServer::~LocalHttpServer() = default;

quint16 LocalHttpServer::port() const { return server_->serverPort(); }

QString LocalHttpServer::address() const
{
    return u"%1://127.0.0.1:%2/"_s.arg(tls_ ? u"https"_s : u"http"_s).arg(port());
}

void LocalHttpServer::serve(QTcpSocket* socket)
{
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        for (;;) {
            const qsizetype headerEnd = buffer->indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            Request request;
            const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.target = first.value(1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
            }
            const qsizetype length = request.headers.value("content-length", "0").toLongLong();
            if (buffer->size() < headerEnd + 4 + length)
                return;
            request.body = buffer->mid(headerEnd + 4, length);
            buffer->remove(0, headerEnd + 4 + length);
            requests_.append(request);
            const Response response = handler_(request);
            QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason + "\r\n";
            for (const auto& [name, value] : response.headers)
                out += name + ": " + value + "\r\n";
            out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n";
            out += response.body;
            socket->write(out);
            socket->disconnectFromHost();
            return;
        }
    });
}

TestCertificate makeTestCertificate(const QString& folder)
{
    TestCertificate result;
    result.certificateFile = folder + u"/server.pem"_s;
    const QString keyFile = folder + u"/server.key"_s;
    QProcess openssl;
    openssl.start(u"openssl"_s, {u"req"_s, u"-x509"_s, u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s, u"-keyout"_s, keyFile,
                                 u"-out"_s, result.certificateFile, u"-days"_s, u"2"_s, u"-subj"_s, u"/CN=127.0.0.1"_s,
                                 u"-addext"_s, u"subjectAltName=IP:127.0.0.1"_s});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        throw std::runtime_error("openssl kon geen certificaat maken: " + openssl.readAllStandardError().toStdString());
    QFile certificate(result.certificateFile), key(keyFile);
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        throw std::runtime_error("certificaat niet leesbaar");
    result.certificate = QSslCertificate(certificate.readAll(), QSsl::Pem);
    result.key = QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem);
    return result;
}

} // namespace tarvelo::testing
