#pragma once

#include "TarveloExport.h"

#include "framework/settings/RecordList.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// One alternative incoming folder: where the HDN client delivers one message type.
struct TARVELO_EXPORT HdnIndirRecord {
    QString Berichtsoort;
    QString Map;

    bool operator==(const HdnIndirRecord&) const = default;
    QJsonObject toJson() const { return {{u"Berichtsoort"_s, Berichtsoort}, {u"Map"_s, Map}}; }
    static HdnIndirRecord fromJson(const QJsonObject& o)
    {
        return {o.value(QLatin1String("Berichtsoort")).toString(), o.value(QLatin1String("Map")).toString()};
    }
};

// The incoming folders per message type, in the order the user put them.
class TARVELO_EXPORT HdnIndirList {
public:
    explicit HdnIndirList(RecordList<HdnIndirRecord>& list) : list_(list) {}
    int Count() const { return list_.count(); }
    // The entry at index (from 1), or null past the last.
    HdnIndirRecord* Item(int index) const { return list_.at(index); }
    void Add(const QString& berichtsoort, const QString& map)
    {
        HdnIndirRecord& r = list_.add();
        r.Berichtsoort = berichtsoort;
        r.Map = map;
    }
    void Remove(int index) { list_.remove(index); }

private:
    RecordList<HdnIndirRecord>& list_;
};

// How the workstation exchanges HDN messages: the office's HDN number, the HDN
// client's folders, copies, the consumer-portal route and clean-up.
struct TARVELO_EXPORT HdnSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> ToonBerichten{this, "ToonBerichten", 100};
    Setting<QString> HDNNummer{this, "HDNNummer"};
    Setting<QString> HDNInDir{this, "HDNInDir"};
    Setting<QString> HDNOutDir{this, "HDNOutDir"};
    Setting<QString> HDNErrDir{this, "HDNErrDir"};
    Setting<bool> HDNBewaren{this, "HDNBewaren", false};
    Setting<QString> DirHDNXML{this, "DirHDNXML"};
    Setting<bool> AdviesBlokkerenNaHDNAanvraag{this, "AdviesBlokkerenNaHDNAanvraag", false};
    Setting<bool> Retourberichten{this, "Retourberichten", false};
    Setting<bool> AfwijkendeIndirHDN{this, "AfwijkendeIndirHDN", false};
    RecordList<HdnIndirRecord> HDNIndirRecords{
        this, "HDNIndirs", Shown{u"Afwijkende inkomende berichten mappen"_s, u"SetupHDNOUD"_s, u"map"_s, u"mappen"_s}};
    Setting<QString> HDNImporterArchieffolder{this, "HDNImporterArchieffolder"};
    Setting<bool> HdnVerkeerViaAbo{this, "HdnVerkeerViaAbo", true};
    Setting<QString> LocatieHdnCertificaat{this, "LocatieHdnCertificaat"};
    Setting<QString> WachtwoordHdnCertificaat{this, "WachtwoordHdnCertificaat", QString(), SettingFlag::Secret};
    Setting<qint16> HDNBerichtenVerwijderen{this, "HDNBerichtenVerwijderen", 1,
                                            Shown{u"Opschonen HDN berichten"_s, u"SetupHDNOUD"_s}};
    Setting<qint16> HDNEnterprise{this, "HDNEnterprise", 0};
    Setting<QString> HDNEnterpriseUsersFolder{this, "HDNEnterpriseUsersFolder"};

    HdnIndirList HDNIndirs() { return HdnIndirList(HDNIndirRecords); }
};

// Where the office keeps the text of its HDN messages (office-wide).
struct TARVELO_EXPORT HdnStorageSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // 1 = in the advice database, 2 = as files in HDNBerichtenOpslagMap.
    Setting<qint16> Cd_HDNBerichtenOpslag{this, "Cd_HDNBerichtenOpslag", 1,
                                          Shown{u"HDN berichten opslag"_s, u"SetupHDNOUD"_s}};
    Setting<QString> HDNBerichtenOpslagMap{this, "HDNBerichtenOpslagMap", QString(),
                                           Shown{u"HDN berichten opslag: map"_s, u"SetupHDNOUD"_s}};
};

} // namespace tarvelo
