#include "pages/database_hdn/CWeslyHDN.h"

#include "framework/errors/RuntimeError.h"
#include "framework/registry/Registry.h"
#include "framework/text/Ansi.h"
#include "pages/database_hdn/WeslyService.h"

#include <QDir>
#include <QFileInfo>

namespace tarvelo {

namespace {

using SendFunction = int (*)(const char*);
using ReceiveFunction = int (*)(const char*, const char*, int*);
using ValidateFunction = int (*)(const char*, const char*);
using NodeNumberFunction = int (*)(char*);
using CertificateFunction = int (*)();

QString withoutTrailingSeparator(QString path)
{
    path = QDir::fromNativeSeparators(path);
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Runs an operation: a run-time error makes it return false and leaves the
// out-parameters as they were set before it.
template <class Body>
bool run(Body body)
{
    try {
        body();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

CWeslyHDN::CWeslyHDN(const Registry& registry, WeslyService& service) : service_(service)
{
    QString folder = registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\CS Engineering\\HDN"),
                                           QStringLiteral("Installdir"), QString());
    if (folder.isEmpty())
        folder = registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Wow6432Node\\CS Engineering\\HDN"),
                                       QStringLiteral("Installdir"), QString());
    path_ = withoutTrailingSeparator(folder);
}

CWeslyHDN::~CWeslyHDN()
{
    if (library_.isLoaded())
        library_.unload();
}

QString CWeslyHDN::DefaultClientPath() { return QStringLiteral("/opt/HDN/"); }

QString CWeslyHDN::LibraryFileName() { return QStringLiteral("libweslycln.so"); }

void CWeslyHDN::setWeslyClientPath(const QString& path)
{
    const QString chosen = withoutTrailingSeparator(path.isEmpty() ? DefaultClientPath() : path);
    if (chosen == path_)
        return;
    path_ = chosen;
    // The library of another folder is loaded when it is next called.
    if (library_.isLoaded())
        library_.unload();
    library_.setFileName(QString());
}

QString CWeslyHDN::binFolder() const { return path_ + QStringLiteral("/bin/"); }

QFunctionPointer CWeslyHDN::resolve(const char* name)
{
    const QString file = binFolder() + LibraryFileName();
    if (library_.fileName() != file) {
        if (library_.isLoaded())
            library_.unload();
        library_.setFileName(file);
    }
    if (!library_.isLoaded() && !library_.load())
        throw RuntimeError(48, QStringLiteral("Fout bij het laden van ") + file + QStringLiteral(": ") + library_.errorString(),
                           QStringLiteral("CWeslyHDN"));
    const QFunctionPointer function = library_.resolve(name);
    if (!function)
        throw RuntimeError(453, QStringLiteral("Kan het DLL-ingangspunt ") + QString::fromLatin1(name) +
                                    QStringLiteral(" niet vinden in ") + file,
                           QStringLiteral("CWeslyHDN"));
    return function;
}

bool CWeslyHDN::IsWeslyAvailable(long& ErrorNumber, QString& ErrorDescription, bool In_AlleenBestandControle)
{
    return run([&] {
        const auto fail = [&](long number, const QString& text) {
            ErrorNumber = number;
            ErrorDescription = text;
        };
        if (path_.isEmpty())
            return fail(-1, QStringLiteral("Locatie niet gespecificeerd."));
        if (!QFileInfo(path_).isDir())
            return fail(-2, QStringLiteral("Locatie niet gevonden. Locatie: ") + path_);
        if (!QFileInfo::exists(binFolder() + LibraryFileName()))
            return fail(-3, QStringLiteral("Weslycln.dll niet gevonden in: ") + binFolder());
        if (!In_AlleenBestandControle) {
            QString node;
            long nodeError = 0;
            QString nodeText;
            if (!WeslyHDNGetNodeNumber(node, nodeError, nodeText) || node.isEmpty())
                return fail(-4, QStringLiteral("Nodenummer niet gevonden. Wellicht geen certificaat"));
            // A certificate that stays valid for some more days is active too.
            const int certificate = reinterpret_cast<CertificateFunction>(resolve("hdnIsCertActive"))();
            if (certificate < 0)
                return fail(-5, QStringLiteral("Certificaat niet actief"));
            if (service_.state().toLower() != QLatin1String("running"))
                return fail(-6, QStringLiteral("Service niet gestart"));
        }
        ErrorNumber = 0;
        ErrorDescription.clear();
    });
}

bool CWeslyHDN::WeslyHDNSend(const QString& Filename, long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        if (Filename.isEmpty() || !QFileInfo(Filename).isFile()) {
            ErrorNumber = 1009;
            ErrorDescription = QStringLiteral("Te verzenden bestand niet gevonden.");
            return;
        }
        const auto send = reinterpret_cast<SendFunction>(resolve("hdnSend"));
        ErrorNumber = send(toAnsi(QDir::toNativeSeparators(Filename)).constData());
        ErrorDescription = SendText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNReceiveFrom(const QString& FromNode, const QString& Filename, long& AantalBerichten,
                                    long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        const auto receive = reinterpret_cast<ReceiveFunction>(resolve("hdnReceiveFrom"));
        int count = 0;
        ErrorNumber = receive(toAnsi(FromNode).constData(), toAnsi(QDir::toNativeSeparators(Filename)).constData(), &count);
        AantalBerichten = count;
        ErrorDescription = ReceiveText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNValidate(const QString& Filename, const QString& FilenameVX, long& ErrorNumber,
                                 QString& ErrorDescription)
{
    return run([&] {
        const auto validate = reinterpret_cast<ValidateFunction>(resolve("hdnValidate"));
        ErrorNumber = validate(toAnsi(QDir::toNativeSeparators(Filename)).constData(),
                               toAnsi(QDir::toNativeSeparators(FilenameVX)).constData());
        ErrorDescription = ValidateText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNGetNodeNumber(QString& Nodenummer, long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        const auto nodeNumber = reinterpret_cast<NodeNumberFunction>(resolve("hdnGetNodeNumber"));
        QByteArray buffer(255, '\0');
        ErrorNumber = nodeNumber(buffer.data());
        buffer.replace('\0', QByteArray());
        Nodenummer = fromAnsi(buffer);
        ErrorDescription = NodeNumberText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNIsCertActive(long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        const auto certificate = reinterpret_cast<CertificateFunction>(resolve("hdnIsCertActive"));
        ErrorNumber = certificate();
        ErrorDescription = CertificateText(ErrorNumber);
    });
}

bool CWeslyHDN::GetWeslyServiceState(QString& state, long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        state = service_.state();
        ErrorNumber = 0;
        ErrorDescription.clear();
    });
}

bool CWeslyHDN::SetWeslyServiceState(ENUM_WeslyServiceState state, long& ErrorNumber, QString& ErrorDescription)
{
    return run([&] {
        if (state == E_wssStart)
            service_.start();
        else
            service_.stop();
        ErrorNumber = 0;
        ErrorDescription.clear();
    });
}

QString CWeslyHDN::SendText(long code)
{
    switch (code) {
    case 0: return QStringLiteral("Bericht is verzonden. Er zijn geen fouten opgetreden.");
    case 1002: return QStringLiteral("Er kan geen digitale handtekening gezet worden. Zorg dat er een geldig HDN certificaat is aangevraagd.");
    case 1006: return QStringLiteral("Het HDN bericht is geadresseerd aan een node die niet bekend is in het netwerk.");
    case 1007: return QStringLiteral("Het HDN bericht is geadresseerd aan een node waarvoor geen HDN Server geinstalleerd is.");
    case 1008: return QStringLiteral("In de communicatie met de server is er een parameter welke niet herkent wordt.");
    case 1009: return QStringLiteral("Het opgegeven bestand bestaat niet.");
    case 1010: return QStringLiteral("Het versleutelen van het bericht is mislukt.");
    case 1011: return QStringLiteral("Het opgegeven bestand kan niet geopend worden.");
    case 1012: return QStringLiteral("Het opgegeven bestand kan niet gelezen worden.");
    case 1019: return QStringLiteral("De operatie kan niet voltooid worden omdat het interne geheugen op is. Zorg voor voldoende intern geheugen.");
    default: return QString();
    }
}

QString CWeslyHDN::ReceiveText(long code)
{
    switch (code) {
    case 0: return QStringLiteral("Het ontvangen bericht is opgeslagen in het opgegeven bestand.");
    case 503: return QStringLiteral("Er staat geen bericht klaar bij de opgegeven node.");
    case 1000: return QStringLiteral("Het ontvangen bericht is niet ondertekend met een digitale handtekening.");
    case 1001: return QStringLiteral("In het ontvangen bericht is geen message-digest opgenomen.");
    case 1002: return QStringLiteral("Er is een bericht ontvangen waarvan de digitale handtekening niet klopt.");
    case 1004: return QStringLiteral("Het bericht is ontvangen maar het bericht kon niet ontsleuteld worden.");
    case 1008:
    case 1019: return SendText(code);
    case 1014: return QStringLiteral("Het ontvangen bericht kan niet opgeslagen worden omdat de doelschijf vol zit.");
    default: return QString();
    }
}

QString CWeslyHDN::ValidateText(long code)
{
    switch (code) {
    case 0: return QStringLiteral("Het bericht is correct.");
    case 1031: return QStringLiteral("Er zijn geen HDN schema's gevonden waartegen gevalideerd kan worden. Het bericht mag niet verzonden worden.");
    case 1032: return QStringLiteral("Het te valideren bericht is geen XML bestand.");
    case 1033: return QStringLiteral("Het HDN bericht heeft geen of een incorrecte Header entiteit. Het bericht kan niet gevalideerd worden.");
    case 1034: return QStringLiteral("Het HDN bericht kan niet gevalideerd worden. De validate geeft een fatale fout.");
    case 1035: return QStringLiteral("Tijdens het valideren van het HDN bericht zijn er fouten gevonden die niet in een popup te herstellen zijn.");
    case 1036: return QStringLiteral("Tijdens het valideren van het HDN bericht zijn er fouten gevonden die door de eindgebruiker middels een popup te herstellen zijn.");
    default: return QString();
    }
}

QString CWeslyHDN::NodeNumberText(long code)
{
    return code == 0 ? QStringLiteral("Nodenummer is bekend") : QString();
}

QString CWeslyHDN::CertificateText(long code)
{
    if (code == 0)
        return QStringLiteral("Het certificaat is actief.");
    if (code < 0)
        return QStringLiteral("Er is geen certificaat geinstalleerd");
    return QStringLiteral("Het certificaat is geldig en nog ") + QString::number(code) + QStringLiteral(" dagen geldig.");
}

} // namespace tarvelo
