#pragma once

#include "framework/host/Maatschappij.h"

#include <QHash>
#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace tarvelo {

class OfficeDatabase;

// The host's companies by kind, read from the office database's company
// tables with their products, and the office's own data per company: its
// agent numbers and its stored settings (receiver, mark, return method).
class CompanyCatalogue final : public MijCatalogus {
public:
    explicit CompanyCatalogue(OfficeDatabase& database);

    // The company table of a kind ("" for notaries and service providers).
    static QString tableOf(qint32 cdSoortMij);

    // The lists are ordered by name.
    const Maatschappij* maatschappij(qint32 cdSoortMij, int index) const override;
    // The company of a kind's list with this code; null when the list has none.
    const Maatschappij* find(qint32 cdSoortMij, const QString& cdMij) const;
    // Forgets what was read, so the next question reads the tables again.
    void reload();

    void SetAgentnummer(const QString& cdMij, qint32 cdSoortMij, const QString& agentId) override;
    std::unique_ptr<Recordset> AgentnummerRecordset(const QString& cdMij, qint32 cdSoortMij) override;
    qint32 AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij) override;
    // The stored receiver; without one, the company itself when it receives over HDN.
    QString HdnOntvanger(const QString& cdMij, qint32 cdSoortMij) override;
    void FillComboFromXsd(const QString& schemaFile, const QString& typeName, ComboBox& combo) override;
    Connection& AdoConnection() override;
    MijInstellingen GetMijInstellingen(const QString& cdMij, qint32 cdSoortMij) override;
    void SaveMijInstellingen(const QString& cdMij, qint32 cdSoortMij, const QString& ontvanger, bool geselecteerd,
                             qint32 retourwijze) override;

private:
    struct List {
        std::vector<Maatschappij> companies;
        QHash<QString, int> byCode;
    };
    const List& list(qint32 cdSoortMij) const;
    void readLists() const;
    // The office's data of every company, read in two statements when first
    // asked in a user's action and kept for that action unless something is
    // written: filling a list of a thousand companies asks the database
    // twice, not three times per company.
    struct Stored {
        bool geselecteerd = false;
        qint32 retour = 0;
        QString ontvanger;
    };
    struct OfficeData {
        QHash<QString, QString> defaults; // the first default agent number by number
        QHash<QString, qint32> counts;
        QHash<QString, Stored> stored;
    };
    const OfficeData& officeData(qint32 cdSoortMij) const;

    OfficeDatabase& database_;
    mutable QHash<qint32, std::shared_ptr<List>> lists_;
    mutable std::map<qint32, OfficeData> officeData_;
    mutable qint64 officeDataRead_ = -1;
};

} // namespace tarvelo
