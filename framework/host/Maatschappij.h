#pragma once

#include "TarveloExport.h"

#include <QDate>
#include <QMetaType>
#include <QString>
#include <memory>
#include <vector>

namespace tarvelo {

class Application;
class ComboBox;
class Connection;
class Recordset;

// The kinds of outside parties (`Cd_SoortMij`), as the company overview and
// the agent-number table store them.
namespace SoortMij {
inline constexpr qint32 Geldverstrekker = 1;
inline constexpr qint32 Verzekeraar = 2;
inline constexpr qint32 Vermogensbeheerder = 3;
inline constexpr qint32 Taxateur = 4;
inline constexpr qint32 Kredietverstrekker = 5;
inline constexpr qint32 Notaris = 6;
inline constexpr qint32 Serviceprovider = 7;
inline constexpr qint32 Bankgarantie = 8;
} // namespace SoortMij

// An HDN number: exactly six characters, each 0 to 9 (no sign, point or space).
inline bool IsHdnNummer(const QString& text)
{
    if (text.size() != 6)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// One product a company offers.
struct TARVELO_EXPORT MijProduct {
    QString Cd_Product;
    QString Om_Product;
    bool In_Actief = true;
};

// A company of one of the host's company lists, as the host's catalogue holds it.
struct TARVELO_EXPORT Maatschappij {
    QString Cd_Mij;
    QString Om_Naam;
    QString Om_NaamKort;
    // The name of the commission-settings object of this company; "" when it has none.
    QString Om_Object;
    // Still offering products, and offered to this office.
    bool In_Actief = true;
    bool In_Gebruik = true;
    // Lenders: the last day applications are accepted; null when there is none.
    QDate Dt_Einde;
    // The number under which the company receives applications over HDN; "" when it does not.
    QString Nr_HDN;
    // The agent number the company itself holds for the office.
    QString Agent_Id;
    // Whether the office may mark the company as one it works with.
    bool In_Selecteerbaar = true;
    // Commission settings apply; insurers need all three.
    bool In_Provisie = false;
    bool In_ProvisieAfsluit = false;
    bool In_ProvisieDoorlopend = false;
    std::vector<MijProduct> Producten;

    bool heeftHdnNummer() const { return IsHdnNummer(Nr_HDN); }
};

// What the office stored for one company of one kind.
struct TARVELO_EXPORT MijInstellingen {
    // The company's default agent number for the kind; "" when it has none.
    QString Agentnummer;
    // The chosen return method (0 = none chosen).
    qint32 Retourwijze = 0;
    // Whether the office stored settings for the company at all, and its mark.
    bool Opgeslagen = false;
    bool Geselecteerd = false;
};

// The host's company catalogue and the office's own data per company, reached
// through the application (`RunFunction` "GetMaatschappijen") as the
// database object is: the company lists by kind, the office's agent numbers
// and its settings per company, the HDN data catalogue and a connection for
// look-ups.
class TARVELO_EXPORT MijCatalogus {
public:
    virtual ~MijCatalogus() = default;

    // The i-th company (from 1) of a kind's list (kinds 1 to 5); null past the end.
    virtual const Maatschappij* maatschappij(qint32 cdSoortMij, int index) const = 0;
    const Maatschappij* Geldverstrekker(int index) const { return maatschappij(SoortMij::Geldverstrekker, index); }
    const Maatschappij* Verzekeraar(int index) const { return maatschappij(SoortMij::Verzekeraar, index); }
    const Maatschappij* Vermogensbeheerder(int index) const
    {
        return maatschappij(SoortMij::Vermogensbeheerder, index);
    }
    const Maatschappij* Taxateur(int index) const { return maatschappij(SoortMij::Taxateur, index); }
    const Maatschappij* Kredietverstrekker(int index) const
    {
        return maatschappij(SoortMij::Kredietverstrekker, index);
    }

    // Sets the agent number the company itself holds for the office.
    virtual void SetAgentnummer(const QString& cdMij, qint32 cdSoortMij, const QString& agentId) = 0;

    // The office's agent numbers (`tp_info` rows) of a company for a kind, and their number.
    virtual std::unique_ptr<Recordset> AgentnummerRecordset(const QString& cdMij, qint32 cdSoortMij) = 0;
    virtual qint32 AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij) = 0;
    // The receiver to which applications for this company go; "" when none.
    virtual QString HdnOntvanger(const QString& cdMij, qint32 cdSoortMij) = 0;
    // Fills the combo with the values of an enumeration type of an XML schema.
    virtual void FillComboFromXsd(const QString& schemaFile, const QString& typeName, ComboBox& combo) = 0;
    // An open connection for read-only look-ups.
    virtual Connection& AdoConnection() = 0;

    // The office's settings of one company of one kind, and storing them: the
    // receiver of its applications, the office's mark and the return method.
    virtual MijInstellingen GetMijInstellingen(const QString& cdMij, qint32 cdSoortMij) = 0;
    virtual void SaveMijInstellingen(const QString& cdMij, qint32 cdSoortMij, const QString& ontvanger,
                                     bool geselecteerd, qint32 retourwijze) = 0;
};

// The host's catalogue; error 424 when the host has none.
TARVELO_EXPORT MijCatalogus& GetMijCatalogus(Application& application);

} // namespace tarvelo

Q_DECLARE_METATYPE(tarvelo::MijCatalogus*)
