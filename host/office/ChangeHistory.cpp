#include "host/office/ChangeHistory.h"

#include "host/office/OfficeDatabase.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo::ChangeHistory {

namespace {
QVariant nullable(const std::optional<QString>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<QString>());
}
std::optional<QString> optionalText(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<QString>(v.toString());
}
} // namespace

void record(const OfficeDatabase& database, const ChangeEntry& entry) { record(database, std::vector{entry}); }

void record(const OfficeDatabase& database, const std::vector<ChangeEntry>& entries)
{
    for (const auto& [sql, values] : statements(entries))
        database.exec(sql, values);
}

QList<std::pair<QString, QVariantList>> statements(const std::vector<ChangeEntry>& entries)
{
    constexpr std::size_t RowsPerStatement = 90; // 900 values, well within every engine's limit
    QList<std::pair<QString, QVariantList>> all;
    for (std::size_t first = 0; first < entries.size(); first += RowsPerStatement) {
        QStringList rows;
        QVariantList values;
        for (std::size_t i = first; i < std::min(entries.size(), first + RowsPerStatement); ++i) {
            const ChangeEntry& entry = entries[i];
            rows << u"(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
            // A secret's value never reaches the database, whatever the caller passed.
            values << entry.when.toUTC().toString(Qt::ISODateWithMs) << entry.adviserCode << entry.adviserName
                   << entry.object << entry.setting
                   << (entry.secret ? QVariant(QMetaType::fromType<QString>()) : nullable(entry.oldValue))
                   << (entry.secret ? QVariant(QMetaType::fromType<QString>()) : nullable(entry.newValue))
                   << (entry.secret ? 1 : 0) << entry.page << entry.how;
        }
        all.push_back({u"INSERT INTO InstellingWijziging (Tijdstip, AdviseurCode, AdviseurNaam, Object, Instelling, "
                       "OudeWaarde, NieuweWaarde, Geheim, Pagina, Wijze) VALUES "_s +
                           rows.join(u", "_s),
                       values});
    }
    return all;
}

std::vector<ChangeEntry> entries(const OfficeDatabase& database, const QString& page)
{
    const QString select = u"SELECT Tijdstip, AdviseurCode, AdviseurNaam, Object, Instelling, OudeWaarde, "
                           "NieuweWaarde, Geheim, Pagina, Wijze, Id FROM InstellingWijziging"_s;
    const QString order = u" ORDER BY Tijdstip DESC, Id DESC"_s;
    QSqlQuery query =
        page.isEmpty() ? database.exec(select + order) : database.exec(select + u" WHERE Pagina = ?"_s + order, {page});
    std::vector<ChangeEntry> found;
    while (query.next()) {
        ChangeEntry e;
        e.when = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs).toLocalTime();
        e.adviserCode = query.value(1).toString();
        e.adviserName = query.value(2).toString();
        e.object = query.value(3).toString();
        e.setting = query.value(4).toString();
        e.oldValue = optionalText(query.value(5));
        e.newValue = optionalText(query.value(6));
        e.secret = query.value(7).toInt() != 0;
        e.page = query.value(8).toString();
        e.how = query.value(9).toString();
        e.id = query.value(10).toLongLong();
        found.push_back(std::move(e));
    }
    return found;
}

} // namespace tarvelo::ChangeHistory
