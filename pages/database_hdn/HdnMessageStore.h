#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace tarvelo {

class Connection;

// What a pass over the stored HDN messages did.
struct HdnMoveResult {
    qint64 moved = 0;
    // Rows without a date, or (database to folder) without readable XML: left where they are.
    qint64 passedOver = 0;
    // Messages whose file was missing or no XML: left where they are, told to the user.
    qint64 notMoved = 0;
    // The error that stopped the pass; empty when it ran to the end.
    QString error;
};

// The table HDNBericht as the storage dialogs use it: the counts and sizes in
// the dialect of the office database, and the passes that move message texts
// between the database and a folder tree folder/year/month/Ber_Cd_GUID.xml.
//
// A message stays readable at every moment of a pass, also when the program
// is killed: a file is written and closed before its row points to it, a row
// is committed before a file it replaces is deleted. Rows are read in small
// batches by key and updated one batch per transaction, so memory does not
// grow with the number of messages.
class HdnMessageStore {
public:
    HdnMessageStore(Connection& connection, bool server);

    // The statements, as each database kind is asked.
    QString sqlStoredInDatabase() const;
    QString sqlStoredAsFiles() const;
    QString sqlCountInDatabase() const;
    QString sqlCountAsFiles() const;
    QString sqlTotalSize() const;

    qint64 CountInDatabase();
    qint64 CountAsFiles();
    // Bytes of the message texts in the database.
    qint64 TotalSizeInDatabase();
    // Disk space the texts take as files on a file system with this allocation
    // unit: each message becomes a file of whole units.
    qint64 SizeOnDisk(qint64 allocationUnit);

    static qint64 RoundUpToUnits(qint64 bytes, qint64 unit);
    // Ber_Cd + "_" + a new GUID without braces + ".xml".
    static QString NewFileName(const QString& berCd);
    // folder/year/month/name.
    static QString MessagePath(const QString& folder, const QDate& date, const QString& name);
    // The date of a Ber_Dt value; invalid when it holds no date.
    static QDate MessageDate(const QVariant& value);
    // Whether two folder texts name the same folder (links and "." resolved).
    static bool SameFolder(const QString& a, const QString& b);

    // Called after each row of a pass with its number, from 1.
    std::function<void(qint64)> RowDone;

    // Writes each message in the database to a new file under folder and
    // points its row at it.
    HdnMoveResult MoveDatabaseToFolder(const QString& folder);
    // Puts the text of each message stored as a file back in its row; with
    // deleteFiles the file goes once its row is committed.
    HdnMoveResult MoveFolderToDatabase(const QString& folder, bool deleteFiles);
    // Copies each message file from one folder tree to the other; rows keep their names.
    HdnMoveResult CopyFolderToFolder(const QString& from, const QString& to);
    // Removes the files of one tree that the other tree also holds: the
    // originals after a folder move, or the copies of a move that is undone.
    HdnMoveResult RemoveDuplicates(const QString& remove, const QString& keep);

    static constexpr int BatchSize = 500;

private:
    template <class PerBatch>
    HdnMoveResult pass(const QString& condition, const QString& columns, PerBatch perBatch);

    Connection& connection_;
    bool server_;
};

} // namespace tarvelo
