#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <memory>

namespace tarvelo::testing {

// A small HTTP/1.1 server on 127.0.0.1 for tests that post to a web service
// or go through a proxy; with a certificate and key it speaks TLS. It answers
// on the thread's event loop, so a caller waiting in a nested loop is served.
class LocalHttpServer {
public:
    struct Request {
        QByteArray method;
        QByteArray target;                    // "/path" or, through a proxy, the whole address
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QList<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;
    };
    using Handler = std::function<Response(const Request&)>;

    explicit LocalHttpServer(Handler handler);
    LocalHttpServer(Handler handler, const QSslCertificate& certificate, const QSslKey& key);
    ~LocalHttpServer();

    quint16 port() const;
    QString address() const; // "http://127.0.0.1:port/" or "https://..."
    const QList<Request>& requests() const { return requests_; }

private:
    void serve(QTcpSocket* socket);

    Handler handler_;
    bool tls_ = false;
    std::unique_ptr<QTcpServer> server_;
    QList<Request> requests_;
};

// A throwaway self-signed certificate for 127.0.0.1, made with openssl in folder.
struct TestCertificate {
    QString certificateFile;
    QSslCertificate certificate;
    QSslKey key;
};
TestCertificate makeTestCertificate(const QString& folder);

} // namespace tarvelo::testing
