#include "host/database/SnapshotRecordset.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/SqlConnection.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

RuntimeError noCurrentRecord() { return RuntimeError(3021, u"Er is geen huidige record."_s, u"Quenmarix database"_s); }

// The table behind a single-table query, or "" when the rows cannot be written back.
QString tableOf(const QString& statement)
{
    static const QRegularExpression single(
        u"^\\s*SELECT\\s+.+?\\s+FROM\\s+\"?([A-Za-z_][A-Za-z0-9_]*)\"?\\s*(WHERE\\b.*|ORDER\\s+BY\\b.*)?;?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto match = single.match(statement);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

SnapshotRecordset::SnapshotRecordset(SqlConnection& connection, QSqlQuery& executed, const QString& statement)
    : connection_(connection),
      table_(tableOf(statement))
{
    const QSqlRecord record = executed.record();
    for (int i = 0; i < record.count(); ++i)
        names_ << record.fieldName(i);
    while (executed.next()) {
        Row row;
        row.values.reserve(std::size_t(names_.size()));
        for (int i = 0; i < names_.size(); ++i)
            row.values.push_back(executed.value(i));
        row.original = row.values;
        row.changed.assign(row.values.size(), false);
        rows_.push_back(std::move(row));
    }
}

int SnapshotRecordset::column(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw RuntimeError(3265, u"Het item '%1' bestaat niet in deze verzameling."_s.arg(name), u"Quenmarix database"_s);
}

SnapshotRecordset::Row& SnapshotRecordset::current()
{
    if (EOF_() || position_ < 0)
        throw noCurrentRecord();
    return rows_[std::size_t(position_)];
}

const SnapshotRecordset::Row& SnapshotRecordset::current() const
{
    return const_cast<SnapshotRecordset*>(this)->current();
}

void SnapshotRecordset::MoveNext()
{
    if (EOF_())
        throw noCurrentRecord();
    ++position_;
}

void SnapshotRecordset::MovePrevious()
{
    if (position_ < 0)
        throw noCurrentRecord();
    --position_;
}

QVariant SnapshotRecordset::field(const QString& name) const
{
    const int c = column(name);
    return current().values[std::size_t(c)];
}

void SnapshotRecordset::setField(const QString& name, const QVariant& value)
{
    const int c = column(name);
    Row& row = current();
    row.values[std::size_t(c)] = value;
    row.changed[std::size_t(c)] = true;
}

void SnapshotRecordset::AddNew()
{
    if (closed_)
        throw noCurrentRecord();
    Row row;
    row.values.assign(std::size_t(names_.size()), QVariant());
    row.original = row.values;
    row.changed.assign(row.values.size(), false);
    row.isNew = true;
    rows_.push_back(std::move(row));
    position_ = int(rows_.size()) - 1;
}

void SnapshotRecordset::Update()
{
    Row& row = current();
    if (table_.isEmpty())
        throw RuntimeError(3251, u"Deze records kunnen niet worden bijgewerkt."_s, u"Quenmarix database"_s);
    QStringList assigned;
    QVariantList values;
    for (int i = 0; i < names_.size(); ++i) {
        if (row.changed[std::size_t(i)]) {
            assigned << names_[i];
            values << row.values[std::size_t(i)];
        }
    }
    if (assigned.isEmpty())
        return;

    QString sql;
    if (row.isNew) {
        QStringList marks;
        for (int i = 0; i < assigned.size(); ++i)
            marks << u"?"_s;
        sql = u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table_, assigned.join(QLatin1String(", ")),
                                                       marks.join(QLatin1String(", ")));
    } else {
        QStringList sets;
        for (const QString& name : assigned)
            sets << name + u" = ?"_s;
        // The key identifies the row; a table without one is matched on every value as it was read.
        QStringList keyNames = keyColumns();
        if (keyNames.isEmpty())
            keyNames = names_;
        QStringList where;
        for (const QString& name : keyNames) {
            const QVariant& old = row.original[std::size_t(column(name))];
            if (old.isNull()) {
                where << name + u" IS NULL"_s;
            } else {
                where << name + u" = ?"_s;
                values << old;
            }
        }
        sql = u"UPDATE %1 SET %2 WHERE %3"_s.arg(table_, sets.join(QLatin1String(", ")),
                                                 where.join(QLatin1String(" AND ")));
    }
    QSqlQuery q;
    if (!connection_.run(q, sql, values))
        throw RuntimeError(-2147217900L, q.lastError().databaseText().trimmed() + u" [%1]"_s.arg(sql),
                           u"Quenmarix database"_s);
    row.original = row.values;
    row.changed.assign(row.values.size(), false);
    row.isNew = false;
}

QStringList SnapshotRecordset::keyColumns() const
{
    QStringList names;
    if (connection_.provider() != QLatin1String("MSSQL")) {
        const QSqlIndex key = connection_.database().primaryIndex(table_);
        for (int i = 0; i < key.count(); ++i)
            names << key.fieldName(i);
        return names;
    }
    // On the server the driver's own lookup would wait for an answer without
    // end; asked as every statement is, it waits no longer than they do.
    QSqlQuery q;
    if (!connection_.run(q,
                         u"SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
                         "AND a.attnum = ANY(i.indkey) WHERE i.indrelid = CAST(? AS regclass) AND i.indisprimary "
                         "ORDER BY array_position(CAST(i.indkey AS int2[]), a.attnum)"_s,
                         {table_}))
        throw RuntimeError(-2147217900L, q.lastError().databaseText().trimmed(), u"Quenmarix database"_s);
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void SnapshotRecordset::Find(const QString& criterion)
{
    static const QRegularExpression pattern(u"^\\s*\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?\\s*=\\s*(.*?)\\s*$"_s);
    const auto match = pattern.match(criterion);
    if (!match.hasMatch())
        throw RuntimeError(3001, u"Ongeldige zoekopdracht: %1"_s.arg(criterion), u"Quenmarix database"_s);
    const int c = column(match.captured(1));
    QString wanted = match.captured(2);
    if (wanted.size() >= 2 && wanted.startsWith(QLatin1Char('\'')) && wanted.endsWith(QLatin1Char('\''))) {
        wanted = wanted.mid(1, wanted.size() - 2);
        wanted.replace(QLatin1String("''"), QLatin1String("'"));
    }
    if (position_ < 0)
        position_ = 0;
    for (; position_ < int(rows_.size()); ++position_) {
        if (rows_[std::size_t(position_)].values[std::size_t(c)].toString().compare(wanted, Qt::CaseInsensitive) == 0)
            return;
    }
}

void SnapshotRecordset::Close()
{
    closed_ = true;
    rows_.clear();
}

} // namespace tarvelo
