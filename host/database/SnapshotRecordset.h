#pragma once

#include "framework/host/Connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <vector>

namespace tarvelo {

class SqlConnection;

// All rows of a query, read at once. Rows of a plain "SELECT ... FROM table"
// can be changed and added; they are written back by the table's primary key,
// or, without one, by the row's values as they were read.
class SnapshotRecordset final : public Recordset {
public:
    SnapshotRecordset(SqlConnection& connection, QSqlQuery& executed, const QString& statement);

    bool EOF_() const override { return closed_ || position_ >= int(rows_.size()); }
    bool BOF_() const override { return closed_ || position_ < 0 || rows_.empty(); }
    int RecordCount() const override { return int(rows_.size()); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override;
    void MovePrevious() override;
    void MoveLast() override { position_ = int(rows_.size()) - 1; }

    QStringList fieldNames() const override { return names_; }
    QVariant field(const QString& name) const override;
    void setField(const QString& name, const QVariant& value) override;

    void AddNew() override;
    void Update() override;
    void Find(const QString& criterion) override;
    void Close() override;

private:
    // The columns of the table's primary key; none for a table without one.
    QStringList keyColumns() const;
    struct Row {
        std::vector<QVariant> values;
        std::vector<QVariant> original;
        std::vector<bool> changed;
        bool isNew = false;
    };
    int column(const QString& name) const;
    Row& current();
    const Row& current() const;

    SqlConnection& connection_;
    QString table_;
    QStringList names_;
    std::vector<Row> rows_;
    int position_ = 0;
    bool closed_ = false;
};

} // namespace tarvelo
