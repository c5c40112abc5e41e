#pragma once

#include <QString>
#include <vector>

namespace tarvelo {

class Application;

// One adviser as the host's register holds him.
struct RegisteredAdviser {
    QString code; // without braces
    QString voornamen, voorletters, tussenvoegsel, achternaam;
    QString geslacht; // "V" female, anything else male
    QString emailadres;
    QString status; // "inactief" for an adviser who no longer works
    QString kantoorNaam, kantoorStraat, kantoorHuisnummer, kantoorToevoeging, kantoorPostcode, kantoorPlaats;

    bool vrouw() const { return geslacht == QLatin1String("V"); }
    bool actief() const { return status.compare(QLatin1String("inactief"), Qt::CaseInsensitive) != 0; }
    // "Dhr. " or "Mevr. ", the initials, the first names in parentheses, the
    // prefix and the surname, each present part once, single spaces between.
    QString naam() const;
};

// The host's adviser register, read from the document the host supplies:
// <gebruikers><gebruiker><klantcode/><voornamen/><voorletters/><tussenvoegsel/>
// <naam/><geslacht/><emailadres/><status/><kantoornaam/><kantoorstraat/>
// <kantoorhuisnummer/><kantoortoevoeging/><kantoorpostcode/><kantoorplaats/>
// </gebruiker>...</gebruikers>, at any depth.
class AdviserRegister {
public:
    enum class Status { Gelezen, GeenGebruikers, Onleesbaar };

    static AdviserRegister read(const QString& document);
    static AdviserRegister of(Application& application);

    Status status() const { return status_; }
    const std::vector<RegisteredAdviser>& advisers() const { return advisers_; }
    const RegisteredAdviser* find(const QString& code) const;

private:
    Status status_ = Status::Onleesbaar;
    std::vector<RegisteredAdviser> advisers_;
};

// A code as the register or a caller gives it, without enclosing braces.
QString adviserCode(const QString& code);

} // namespace tarvelo
