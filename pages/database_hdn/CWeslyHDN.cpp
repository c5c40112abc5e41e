#include "pages/database_hdn/CWeslyHDN.h"

#include "framework/errors/RuntimeError.h"
#include "framework/registry/Registry.h"
#include "framework/text/Ansi.h"
#include "pages/database_hdn/WeslyService.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

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

// Code that the program loads is changed only by its owner: a library, or a
// folder on its way from the installation folder, that others may write to
// (or that belongs to another user) is named; empty when it is safe.
QString writableByOthers(const QString& file, const QString& installation)
{
    const QString library = QFileInfo(file).canonicalFilePath();
    const QString top = QFileInfo(installation).canonicalFilePath();
    QStringList chain{library};
    for (QString folder = QFileInfo(library).absolutePath(); !folder.isEmpty();) {
        chain << folder;
        if (folder == top || !folder.startsWith(top + QLatin1Char('/')))
            break;
        folder = QFileInfo(folder).absolutePath();
    }
    for (const QString& path : chain) {
        const QFileInfo info(path);
        const bool othersWrite = info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther);
        const bool foreignOwner = info.ownerId() != 0 && info.ownerId() != ::getuid();
        if (othersWrite || foreignOwner)
            return path;
    }
    return {};
}

} // namespace

CWeslyHDN::CWeslyHDN(const Registry& registry, WeslyService& service) : service_(service)
{
    QString folder =
        registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, u"Software\\CS Engineering\\HDN"_s, u"Installdir"_s, QString());
    if (folder.isEmpty())
        folder = registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, u"Software\\Wow6432Node\\CS Engineering\\HDN"_s,
                                       u"Installdir"_s, QString());
    path_ = withoutTrailingSeparator(folder);
}

CWeslyHDN::~CWeslyHDN()
{
    if (library_.isLoaded())
        library_.unload();
}

QString CWeslyHDN::DefaultClientPath() { return u"/opt/HDN/"_s; }

QString CWeslyHDN::LibraryFileName() { return u"libweslycln.so"_s; }

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

bool CWeslyHDN::noInstallation(long& ErrorNumber, QString& ErrorDescription) const
{
    if (!path_.isEmpty())
        return false;
    ErrorNumber = -1;
    ErrorDescription = u"Locatie niet gespecificeerd."_s;
    return true;
}

QString CWeslyHDN::binFolder() const { return path_ + u"/bin/"_s; }

QFunctionPointer CWeslyHDN::resolve(const char* name)
{
    // An empty folder would name "/bin/" of the system.
    if (path_.isEmpty())
        throw RuntimeError(48, u"Er is geen installatiemap van de HDN-client opgegeven."_s, u"CWeslyHDN"_s);
    const QString file = binFolder() + LibraryFileName();
    if (library_.fileName() != file) {
        if (library_.isLoaded())
            library_.unload();
        library_.setFileName(file);
    }
    if (!library_.isLoaded()) {
        if (const QString open = writableByOthers(file, path_); !open.isEmpty())
            throw RuntimeError(
                48,
                u"Het HDN-clientbestand %1 wordt niet geladen: %2 kan ook door anderen dan de "
                "eigenaar worden gewijzigd. Maak het alleen voor de eigenaar schrijfbaar."_s.arg(file, open),
                u"CWeslyHDN"_s);
    }
    if (!library_.isLoaded() && !library_.load())
        throw RuntimeError(48, u"Fout bij het laden van "_s + file + u": "_s + library_.errorString(), u"CWeslyHDN"_s);
    const QFunctionPointer function = library_.resolve(name);
    if (!function)
        throw RuntimeError(453,
                           u"Kan het DLL-ingangspunt "_s + QString::fromLatin1(name) + u" niet vinden in "_s + file,
                           u"CWeslyHDN"_s);
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
            return fail(-1, u"Locatie niet gespecificeerd."_s);
        if (!QFileInfo(path_).isDir())
            return fail(-2, u"Locatie niet gevonden. Locatie: "_s + path_);
        if (!QFileInfo::exists(binFolder() + LibraryFileName()))
            return fail(-3, u"Weslycln.dll niet gevonden in: "_s + binFolder());
        if (const QString open = writableByOthers(binFolder() + LibraryFileName(), path_); !open.isEmpty())
            return fail(-3, u"Weslycln.dll in %1 wordt niet geladen: %2 kan ook door anderen dan de eigenaar "
                            "worden gewijzigd."_s.arg(binFolder(), open));
        if (!In_AlleenBestandControle) {
            QString node;
            long nodeError = 0;
            QString nodeText;
            if (!WeslyHDNGetNodeNumber(node, nodeError, nodeText) || node.isEmpty())
                return fail(-4, u"Nodenummer niet gevonden. Wellicht geen certificaat"_s);
            // A certificate that stays valid for some more days is active too.
            const int certificate = reinterpret_cast<CertificateFunction>(resolve("hdnIsCertActive"))();
            if (certificate < 0)
                return fail(-5, u"Certificaat niet actief"_s);
            if (service_.state().toLower() != QLatin1String("running"))
                return fail(-6, u"Service niet gestart"_s);
        }
        ErrorNumber = 0;
        ErrorDescription.clear();
    });
}

bool CWeslyHDN::WeslyHDNSend(const QString& Filename, long& ErrorNumber, QString& ErrorDescription)
{
    if (noInstallation(ErrorNumber, ErrorDescription))
        return false;
    return run([&] {
        if (Filename.isEmpty() || !QFileInfo(Filename).isFile()) {
            ErrorNumber = 1009;
            ErrorDescription = u"Te verzenden bestand niet gevonden."_s;
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
    if (noInstallation(ErrorNumber, ErrorDescription))
        return false;
    return run([&] {
        const auto receive = reinterpret_cast<ReceiveFunction>(resolve("hdnReceiveFrom"));
        int count = 0;
        ErrorNumber =
            receive(toAnsi(FromNode).constData(), toAnsi(QDir::toNativeSeparators(Filename)).constData(), &count);
        AantalBerichten = count;
        ErrorDescription = ReceiveText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNValidate(const QString& Filename, const QString& FilenameVX, long& ErrorNumber,
                                 QString& ErrorDescription)
{
    if (noInstallation(ErrorNumber, ErrorDescription))
        return false;
    return run([&] {
        const auto validate = reinterpret_cast<ValidateFunction>(resolve("hdnValidate"));
        ErrorNumber = validate(toAnsi(QDir::toNativeSeparators(Filename)).constData(),
                               toAnsi(QDir::toNativeSeparators(FilenameVX)).constData());
        ErrorDescription = ValidateText(ErrorNumber);
    });
}

bool CWeslyHDN::WeslyHDNGetNodeNumber(QString& Nodenummer, long& ErrorNumber, QString& ErrorDescription)
{
    if (noInstallation(ErrorNumber, ErrorDescription))
        return false;
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
    if (noInstallation(ErrorNumber, ErrorDescription))
        return false;
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
    case 0: return u"Bericht is verzonden. Er zijn geen fouten opgetreden."_s;
    case 1002:
        return u"Er kan geen digitale handtekening gezet worden. Zorg dat er een geldig HDN certificaat is aangevraagd."_s;
    case 1006: return u"Het HDN bericht is geadresseerd aan een node die niet bekend is in het netwerk."_s;
    case 1007: return u"Het HDN bericht is geadresseerd aan een node waarvoor geen HDN Server geinstalleerd is."_s;
    case 1008: return u"In de communicatie met de server is er een parameter welke niet herkent wordt."_s;
    case 1009: return u"Het opgegeven bestand bestaat niet."_s;
    case 1010: return u"Het versleutelen van het bericht is mislukt."_s;
    case 1011: return u"Het opgegeven bestand kan niet geopend worden."_s;
    case 1012: return u"Het opgegeven bestand kan niet gelezen worden."_s;
    case 1019:
        return u"De operatie kan niet voltooid worden omdat het interne geheugen op is. Zorg voor voldoende intern geheugen."_s;
    default: return QString();
    }
}

QString CWeslyHDN::ReceiveText(long code)
{
    switch (code) {
    case 0: return u"Het ontvangen bericht is opgeslagen in het opgegeven bestand."_s;
    case 503: return u"Er staat geen bericht klaar bij de opgegeven node."_s;
    case 1000: return u"Het ontvangen bericht is niet ondertekend met een digitale handtekening."_s;
    case 1001: return u"In het ontvangen bericht is geen message-digest opgenomen."_s;
    case 1002: return u"Er is een bericht ontvangen waarvan de digitale handtekening niet klopt."_s;
    case 1004: return u"Het bericht is ontvangen maar het bericht kon niet ontsleuteld worden."_s;
    case 1008:
    case 1019: return SendText(code);
    case 1014: return u"Het ontvangen bericht kan niet opgeslagen worden omdat de doelschijf vol zit."_s;
    default: return QString();
    }
}

QString CWeslyHDN::ValidateText(long code)
{
    switch (code) {
    case 0: return u"Het bericht is correct."_s;
    case 1031:
        return u"Er zijn geen HDN schema's gevonden waartegen gevalideerd kan worden. Het bericht mag niet verzonden worden."_s;
    case 1032: return u"Het te valideren bericht is geen XML bestand."_s;
    case 1033:
        return u"Het HDN bericht heeft geen of een incorrecte Header entiteit. Het bericht kan niet gevalideerd worden."_s;
    case 1034: return u"Het HDN bericht kan niet gevalideerd worden. De validate geeft een fatale fout."_s;
    case 1035:
        return u"Tijdens het valideren van het HDN bericht zijn er fouten gevonden die niet in een popup te herstellen zijn."_s;
    case 1036:
        return u"Tijdens het valideren van het HDN bericht zijn er fouten gevonden die door de eindgebruiker middels een popup te herstellen zijn."_s;
    default: return QString();
    }
}

QString CWeslyHDN::NodeNumberText(long code) { return code == 0 ? u"Nodenummer is bekend"_s : QString(); }

QString CWeslyHDN::CertificateText(long code)
{
    if (code == 0)
        return u"Het certificaat is actief."_s;
    if (code < 0)
        return u"Er is geen certificaat geinstalleerd"_s;
    return u"Het certificaat is geldig en nog "_s + QString::number(code) + u" dagen geldig."_s;
}

} // namespace tarvelo
