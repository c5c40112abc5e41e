#include "pages/advisers/AdviserRegister.h"

#include "framework/host/Application.h"

#include <QStringList>
#include <pugixml.hpp>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString adviserCode(const QString& code)
{
    QString result = code.trimmed();
    if (result.startsWith(QLatin1Char('{')))
        result.remove(0, 1);
    if (result.endsWith(QLatin1Char('}')))
        result.chop(1);
    return result;
}

QString RegisteredAdviser::naam() const
{
    QStringList parts{vrouw() ? u"Mevr."_s : u"Dhr."_s};
    const QString first = voornamen.trimmed();
    for (const QString& part :
         {voorletters.trimmed(), first.isEmpty() ? QString() : QString(QLatin1Char('(') + first + QLatin1Char(')')),
          tussenvoegsel.trimmed(), achternaam.trimmed()}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

AdviserRegister AdviserRegister::read(const QString& document)
{
    AdviserRegister result;
    pugi::xml_document xml;
    const QByteArray utf8 = document.toUtf8();
    if (document.trimmed().isEmpty() ||
        !xml.load_buffer(utf8.constData(), std::size_t(utf8.size()), pugi::parse_default, pugi::encoding_utf8))
        return result;
    const pugi::xml_node gebruikers = xml.select_node("//gebruikers").node();
    if (!gebruikers) {
        result.status_ = Status::GeenGebruikers;
        return result;
    }
    result.status_ = Status::Gelezen;
    for (const pugi::xml_node& g : gebruikers.children("gebruiker")) {
        const auto text = [&g](const char* name) { return QString::fromUtf8(g.child(name).text().get()).trimmed(); };
        RegisteredAdviser a;
        a.code = adviserCode(text("klantcode"));
        a.voornamen = text("voornamen");
        a.voorletters = text("voorletters");
        a.tussenvoegsel = text("tussenvoegsel");
        a.achternaam = text("naam");
        a.geslacht = text("geslacht");
        a.emailadres = text("emailadres");
        a.status = text("status");
        a.kantoorNaam = text("kantoornaam");
        a.kantoorStraat = text("kantoorstraat");
        a.kantoorHuisnummer = text("kantoorhuisnummer");
        a.kantoorToevoeging = text("kantoortoevoeging");
        a.kantoorPostcode = text("kantoorpostcode");
        a.kantoorPlaats = text("kantoorplaats");
        result.advisers_.push_back(std::move(a));
    }
    return result;
}

AdviserRegister AdviserRegister::of(Application& application) { return read(application.AdviseursRegister()); }

const RegisteredAdviser* AdviserRegister::find(const QString& code) const
{
    const QString wanted = adviserCode(code);
    for (const RegisteredAdviser& a : advisers_) {
        if (a.code.compare(wanted, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

} // namespace tarvelo
