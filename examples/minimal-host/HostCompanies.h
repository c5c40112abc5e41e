#pragma once

#include <tarvelo/framework/host/Connection.h>
#include <tarvelo/framework/host/Maatschappij.h>

#include <memory>
#include <vector>

namespace minimalhost {

// The host's company lists as the company pages see them: here one lender,
// with the office's agent numbers in the office database's tp_info. A real
// host hands its own catalogue of lenders, insurers and the other kinds.
class HostCompanies final : public tarvelo::MijCatalogus {
public:
    explicit HostCompanies(tarvelo::Connection& connection);

    const tarvelo::Maatschappij* maatschappij(qint32 cdSoortMij, int index) const override;
    void SetAgentnummer(const QString& cdMij, qint32 cdSoortMij, const QString& agentId) override;
    std::unique_ptr<tarvelo::Recordset> AgentnummerRecordset(const QString& cdMij, qint32 cdSoortMij) override;
    qint32 AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij) override;
    QString HdnOntvanger(const QString&, qint32) override { return QString(); }
    void FillComboFromXsd(const QString&, const QString&, tarvelo::ComboBox&) override {}
    tarvelo::Connection& AdoConnection() override { return connection_; }
    tarvelo::MijInstellingen GetMijInstellingen(const QString& cdMij, qint32 cdSoortMij) override;
    void SaveMijInstellingen(const QString& cdMij, qint32 cdSoortMij, const QString& ontvanger, bool geselecteerd,
                             qint32 retourwijze) override;

private:
    tarvelo::Connection& connection_;
    std::vector<tarvelo::Maatschappij> lenders_;
};

} // namespace minimalhost
