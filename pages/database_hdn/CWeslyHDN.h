#pragma once

#include <QLibrary>
#include <QString>

namespace tarvelo {

class Registry;
class WeslyService;

enum ENUM_WeslyServiceState { E_wssStart = 0, E_wssStop = 1 };

// The HDN client on this workstation: finds its installation, checks that it
// can be used, and wraps the client library's five calls and its service,
// turning every result code into a Dutch text. Each operation returns true
// when it ran to the end; the outcome is in ErrorNumber (0 = success) and
// ErrorDescription.
class CWeslyHDN {
public:
    // Looks the installation up in the machine registry.
    CWeslyHDN(const Registry& registry, WeslyService& service);
    ~CWeslyHDN();
    CWeslyHDN(const CWeslyHDN&) = delete;
    CWeslyHDN& operator=(const CWeslyHDN&) = delete;

    // The installation folder, without a trailing separator.
    QString WeslyClientPath() const { return path_; }
    // An empty value becomes the default folder. The folder need not exist;
    // the current directory of the program is left alone.
    void setWeslyClientPath(const QString& path);

    static QString DefaultClientPath();
    // The client library's file name in the bin folder on this platform.
    static QString LibraryFileName();

    bool IsWeslyAvailable(long& ErrorNumber, QString& ErrorDescription, bool In_AlleenBestandControle = false);
    bool WeslyHDNSend(const QString& Filename, long& ErrorNumber, QString& ErrorDescription);
    bool WeslyHDNReceiveFrom(const QString& FromNode, const QString& Filename, long& AantalBerichten, long& ErrorNumber,
                             QString& ErrorDescription);
    bool WeslyHDNValidate(const QString& Filename, const QString& FilenameVX, long& ErrorNumber,
                          QString& ErrorDescription);
    bool WeslyHDNGetNodeNumber(QString& Nodenummer, long& ErrorNumber, QString& ErrorDescription);
    bool WeslyHDNIsCertActive(long& ErrorNumber, QString& ErrorDescription);
    bool GetWeslyServiceState(QString& state, long& ErrorNumber, QString& ErrorDescription);
    bool SetWeslyServiceState(ENUM_WeslyServiceState state, long& ErrorNumber, QString& ErrorDescription);

    // The result texts of each group; codes without a text give "".
    static QString SendText(long code);
    static QString ReceiveText(long code);
    static QString ValidateText(long code);
    static QString NodeNumberText(long code);
    static QString CertificateText(long code);

private:
    // Without an installation folder there is no client: nothing is loaded,
    // and a call fails with the availability check's text.
    bool noInstallation(long& ErrorNumber, QString& ErrorDescription) const;
    QString binFolder() const;
    QFunctionPointer resolve(const char* name);

    WeslyService& service_;
    QString path_;
    QLibrary library_;
};

} // namespace tarvelo
