#include "pages/database_hdn/HdnMessageStore.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Connection.h"
#include "framework/host/OfficeTransaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <pugixml.hpp>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

struct Row {
    qint64 id = 0;
    QString code;
    QVariant date;
    QString text;
    QString name;
};

bool isXml(const QByteArray& bytes)
{
    pugi::xml_document doc;
    return bool(doc.load_buffer(bytes.constData(), std::size_t(bytes.size())));
}

// Writes the whole text and closes the file, so that it is complete on disk
// before any row points to it.
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw RuntimeError(75, u"Het bestand '%1' kan niet geschreven worden: %2"_s.arg(path, file.errorString()),
                           u"HdnMessageStore"_s);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(75, u"Het bestand '%1' kan niet geschreven worden: %2"_s.arg(path, file.errorString()),
                           u"HdnMessageStore"_s);
}

// Makes folder/year/month once per pass and month.
class MonthFolders {
public:
    explicit MonthFolders(QString root) : root_(std::move(root)) {}
    QString ensure(const QDate& date)
    {
        const QString folder = HdnMessageStore::MessagePath(root_, date, QString());
        if (folder != last_) {
            if (!QDir().mkpath(folder))
                throw RuntimeError(76, u"De map '%1' kan niet gemaakt worden."_s.arg(folder), u"HdnMessageStore"_s);
            last_ = folder;
        }
        return folder;
    }

private:
    QString root_;
    QString last_;
};

// Runs body in one transaction; when it fails the transaction is rolled back
// and undo cleans up what the body did outside the database.
template <class Body, class Undo>
void inTransaction(Connection& connection, Body body, Undo undo)
{
    try {
        inOneTransaction(connection, body);
    } catch (...) {
        undo();
        throw;
    }
}

QString errorText(const std::exception& e)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&e))
        return runtime->description();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

HdnMessageStore::HdnMessageStore(Connection& connection, bool server) : connection_(connection), server_(server) {}

QString HdnMessageStore::sqlStoredInDatabase() const
{
    return server_ ? u"SELECT * FROM HDNBericht WHERE Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL"_s
                   : u"SELECT * FROM HDNBericht WHERE Ber_Om_Ascii <> ''"_s;
}

QString HdnMessageStore::sqlStoredAsFiles() const
{
    return server_ ? u"SELECT * FROM HDNBericht WHERE Datalength(Ber_Om_Berichtnaam) <> 0 AND "
                     "Ber_Om_Berichtnaam IS NOT NULL"_s
                   : u"SELECT * FROM HDNBericht WHERE Ber_Om_Berichtnaam <> ''"_s;
}

QString HdnMessageStore::sqlCountInDatabase() const
{
    return server_ ? u"SELECT COUNT(cast(Ber_Om_Ascii AS VARCHAR)) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT "
                     "WHERE Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL"_s
                   : u"SELECT COUNT(Ber_Om_Ascii) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT WHERE Ber_Om_Ascii <> ''"_s;
}

QString HdnMessageStore::sqlCountAsFiles() const
{
    return server_ ? u"SELECT COUNT(cast(Ber_Om_Berichtnaam AS VARCHAR)) AS TOTALCOUNTBERICHTEN FROM "
                     "HDNBERICHT WHERE Datalength(Ber_Om_Berichtnaam) <> 0 AND Ber_Om_Berichtnaam IS NOT NULL"_s
                   : u"SELECT COUNT(Ber_Om_Berichtnaam) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT WHERE "
                     "Ber_Om_Berichtnaam <> ''"_s;
}

QString HdnMessageStore::sqlTotalSize() const
{
    return server_ ? u"SELECT Sum(DataLength(Ber_Om_Ascii)) AS TOTALSIZEBERICHTEN FROM HDNBERICHT"_s
                   : u"SELECT Sum(Len(Ber_Om_Ascii)) AS TOTALSIZEBERICHTEN FROM HDNBERICHT"_s;
}

namespace {
qint64 scalar(Connection& connection, const QString& sql, const QString& field)
{
    auto rs = connection.OpenRecordset(sql);
    const qint64 value = rs->EOF_() ? 0 : rs->field(field).toLongLong();
    rs->Close();
    return value;
}
} // namespace

qint64 HdnMessageStore::CountInDatabase()
{
    return scalar(connection_, sqlCountInDatabase(), u"TOTALCOUNTBERICHTEN"_s);
}

qint64 HdnMessageStore::CountAsFiles() { return scalar(connection_, sqlCountAsFiles(), u"TOTALCOUNTBERICHTEN"_s); }

qint64 HdnMessageStore::TotalSizeInDatabase() { return scalar(connection_, sqlTotalSize(), u"TOTALSIZEBERICHTEN"_s); }

qint64 HdnMessageStore::SizeOnDisk(qint64 allocationUnit)
{
    const qint64 unit = allocationUnit > 0 ? allocationUnit : 1;
    const QString length = server_ ? u"DataLength(Ber_Om_Ascii)"_s : u"Len(Ber_Om_Ascii)"_s;
    const QString where =
        server_ ? u"Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL"_s : u"Ber_Om_Ascii <> ''"_s;
    // Rounded per message: every message becomes a file of whole units.
    return scalar(connection_,
                  u"SELECT Sum(((%1 + %2) / %3) * %3) AS TOTALSIZEBERICHTEN FROM HDNBERICHT WHERE %4"_s.arg(length)
                      .arg(unit - 1)
                      .arg(unit)
                      .arg(where),
                  u"TOTALSIZEBERICHTEN"_s);
}

qint64 HdnMessageStore::RoundUpToUnits(qint64 bytes, qint64 unit)
{
    if (unit <= 0 || bytes <= 0)
        return qMax<qint64>(bytes, 0);
    return (bytes + unit - 1) / unit * unit;
}

QString HdnMessageStore::NewFileName(const QString& berCd)
{
    return berCd + QLatin1Char('_') + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + u".xml"_s;
}

QString HdnMessageStore::MessagePath(const QString& folder, const QDate& date, const QString& name)
{
    QString root = folder;
    while (root.endsWith(QLatin1Char('/')) && root.size() > 1)
        root.chop(1);
    QString path =
        root + QLatin1Char('/') + QString::number(date.year()) + QLatin1Char('/') + QString::number(date.month());
    if (!name.isEmpty())
        path += QLatin1Char('/') + name;
    return path;
}

QDate HdnMessageStore::MessageDate(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        date = QDateTime::fromString(text, Qt::ISODate).date();
    return date;
}

template <class PerBatch>
HdnMoveResult HdnMessageStore::pass(const QString& condition, const QString& columns, PerBatch perBatch)
{
    HdnMoveResult result;
    qint64 last = 0;
    bool first = true;
    qint64 number = 0;
    std::vector<Row> rows;
    rows.reserve(BatchSize);
    try {
        for (;;) {
            rows.clear();
            // The next batch by key: rows passed over are not read again.
            const QString after = first ? QString() : u" AND Ber_Id > %1"_s.arg(last);
            auto rs = connection_.OpenRecordset(u"SELECT Ber_Id, Ber_Cd, Ber_Dt, %1 FROM HDNBericht WHERE %2%3 "
                                                "ORDER BY Ber_Id LIMIT %4"_s.arg(columns, condition, after)
                                                    .arg(BatchSize));
            first = false;
            for (; !rs->EOF_(); rs->MoveNext()) {
                Row row;
                row.id = rs->field(u"Ber_Id"_s).toLongLong();
                row.code = rs->text(u"Ber_Cd"_s);
                row.date = rs->field(u"Ber_Dt"_s);
                if (columns.contains(QLatin1String("Ber_Om_Ascii")))
                    row.text = rs->text(u"Ber_Om_Ascii"_s);
                if (columns.contains(QLatin1String("Ber_Om_Berichtnaam")))
                    row.name = rs->text(u"Ber_Om_Berichtnaam"_s);
                rows.push_back(std::move(row));
            }
            rs->Close();
            if (rows.empty())
                break;
            last = rows.back().id;
            perBatch(rows, number, result);
            if (int(rows.size()) < BatchSize)
                break;
        }
    } catch (const std::exception& e) {
        result.error = errorText(e);
    }
    return result;
}

namespace {
QString dbCondition(bool server)
{
    return server ? u"Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL"_s : u"Ber_Om_Ascii <> ''"_s;
}
QString fileCondition(bool server)
{
    return server ? u"Datalength(Ber_Om_Berichtnaam) <> 0 AND Ber_Om_Berichtnaam IS NOT NULL"_s
                  : u"Ber_Om_Berichtnaam <> ''"_s;
}
} // namespace

HdnMoveResult HdnMessageStore::MoveDatabaseToFolder(const QString& folder)
{
    MonthFolders folders(folder);
    return pass(dbCondition(server_), u"Ber_Om_Ascii"_s,
                [&](std::vector<Row>& rows, qint64& number, HdnMoveResult& result) {
                    std::vector<QString> written;
                    written.reserve(rows.size());
                    // On failure the rows of this batch keep their text; their new files are of no use.
                    inTransaction(
                        connection_,
                        [&] {
                            const auto moved = connection_.Prepare(
                                u"UPDATE HDNBericht SET Ber_Om_Berichtnaam = ?, Ber_Om_Ascii = '' WHERE Ber_Id = ?"_s);
                            for (const Row& row : rows) {
                                ++number;
                                const QDate date = MessageDate(row.date);
                                const QByteArray bytes = row.text.toUtf8();
                                if (!date.isValid() || !isXml(bytes)) {
                                    ++result.passedOver;
                                } else {
                                    const QString name = NewFileName(row.code);
                                    const QString path = folders.ensure(date) + QLatin1Char('/') + name;
                                    writeFile(path, bytes);
                                    written.push_back(path);
                                    moved->Execute({name, row.id});
                                }
                                if (RowDone)
                                    RowDone(number);
                            }
                        },
                        [&] {
                            for (const QString& path : written)
                                QFile::remove(path);
                        });
                    result.moved += qint64(written.size());
                });
}

HdnMoveResult HdnMessageStore::MoveFolderToDatabase(const QString& folder, bool deleteFiles)
{
    return pass(fileCondition(server_), u"Ber_Om_Berichtnaam"_s,
                [&](std::vector<Row>& rows, qint64& number, HdnMoveResult& result) {
                    std::vector<QString> read;
                    read.reserve(rows.size());
                    inTransaction(
                        connection_,
                        [&] {
                            const auto moved = connection_.Prepare(
                                u"UPDATE HDNBericht SET Ber_Om_Ascii = ?, Ber_Om_Berichtnaam = '' WHERE Ber_Id = ?"_s);
                            for (const Row& row : rows) {
                                ++number;
                                const QDate date = MessageDate(row.date);
                                if (!date.isValid()) {
                                    ++result.passedOver;
                                } else {
                                    const QString path = MessagePath(folder, date, row.name);
                                    QFile file(path);
                                    QByteArray bytes;
                                    if (file.open(QIODevice::ReadOnly))
                                        bytes = file.readAll();
                                    if (bytes.isEmpty() || !isXml(bytes)) {
                                        ++result.notMoved;
                                    } else {
                                        moved->Execute({QString::fromUtf8(bytes), row.id});
                                        read.push_back(path);
                                    }
                                }
                                if (RowDone)
                                    RowDone(number);
                            }
                        },
                        [] {});
                    result.moved += qint64(read.size());
                    // Only now that the rows hold the texts.
                    if (deleteFiles)
                        for (const QString& path : read)
                            QFile::remove(path);
                });
}

bool HdnMessageStore::SameFolder(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

HdnMoveResult HdnMessageStore::CopyFolderToFolder(const QString& from, const QString& to)
{
    if (SameFolder(from, to))
        return {};
    MonthFolders folders(to);
    return pass(
        fileCondition(server_), u"Ber_Om_Berichtnaam"_s,
        [&](std::vector<Row>& rows, qint64& number, HdnMoveResult& result) {
            for (const Row& row : rows) {
                ++number;
                const QDate date = MessageDate(row.date);
                if (!date.isValid()) {
                    ++result.passedOver;
                } else {
                    const QString source = MessagePath(from, date, row.name);
                    if (!QFileInfo::exists(source)) {
                        ++result.notMoved;
                    } else {
                        const QString target = folders.ensure(date) + QLatin1Char('/') + row.name;
                        // A copy left by an earlier, interrupted move is replaced.
                        QFile::remove(target);
                        const QString partial = target + u".part"_s;
                        QFile::remove(partial);
                        // On one file system a second name for the file is the copy: both
                        // names hold the message until the originals are removed.
                        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0) {
                            ++result.moved;
                        } else if (!QFile::copy(source, partial) || !QFile::rename(partial, target)) {
                            QFile::remove(partial);
                            throw RuntimeError(
                                75, u"Het bestand '%1' kan niet gekopieerd worden naar '%2'."_s.arg(source, target),
                                u"HdnMessageStore"_s);
                        } else {
                            ++result.moved;
                        }
                    }
                }
                if (RowDone)
                    RowDone(number);
            }
        });
}

HdnMoveResult HdnMessageStore::RemoveDuplicates(const QString& remove, const QString& keep)
{
    // One tree under two names holds no duplicates.
    if (SameFolder(remove, keep))
        return {};
    return pass(fileCondition(server_), u"Ber_Om_Berichtnaam"_s,
                [&](std::vector<Row>& rows, qint64& number, HdnMoveResult& result) {
                    for (const Row& row : rows) {
                        ++number;
                        const QDate date = MessageDate(row.date);
                        if (date.isValid()) {
                            const QString gone = MessagePath(remove, date, row.name);
                            const QString kept = MessagePath(keep, date, row.name);
                            if (QFileInfo::exists(gone) && QFileInfo::exists(kept)) {
                                if (!QFile::remove(gone))
                                    ++result.notMoved;
                                else
                                    ++result.moved;
                            }
                        }
                        if (RowDone)
                            RowDone(number);
                    }
                });
}

} // namespace tarvelo
