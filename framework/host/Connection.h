#pragma once

#include "TarveloExport.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace tarvelo {

// A static snapshot of the rows a statement returned, with a current row.
// Fields are found by name without regard to case. Changing a field and calling
// Update writes the row back; AddNew starts a row that Update inserts.
class TARVELO_EXPORT Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool EOF_() const = 0;
    virtual bool BOF_() const = 0;
    virtual int RecordCount() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    virtual void MoveLast() = 0;

    virtual QStringList fieldNames() const = 0;
    // The current row's value; a name the rows lack is error 3265.
    virtual QVariant field(const QString& name) const = 0;
    QString text(const QString& name) const { return field(name).toString(); }
    virtual void setField(const QString& name, const QVariant& value) = 0;

    virtual void AddNew() = 0;
    virtual void Update() = 0;
    // From the current row on, the first row matching "Field = value" (the
    // value quoted when it is text, quotes doubled); EOF when none does.
    virtual void Find(const QString& criterion) = 0;
    virtual void Close() = 0;
};

// A statement prepared once and run many times with values bound to its "?"
// placeholders in order; a null QVariant is NULL. Values are never put into
// the statement's text, so quotes in them need no care.
class TARVELO_EXPORT PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    // Runs the statement with these values; returns the number of rows touched.
    virtual int Execute(const QVariantList& values) = 0;
};

// The open connection to the office database on which the pages run their
// statements, written as the pages build them; the connection makes the
// statement fit its engine.
class TARVELO_EXPORT Connection {
public:
    virtual ~Connection() = default;

    // "MSACC" (the embedded database file) or "MSSQL" (the server database).
    virtual QString provider() const = 0;

    // Runs a statement that returns no rows; returns the number of rows touched.
    virtual int Execute(const QString& statement) = 0;
    // The same with values bound in order to its "?" placeholders: a value
    // never stands in a statement's text.
    int Execute(const QString& statement, const QVariantList& values) { return Prepare(statement)->Execute(values); }
    virtual std::unique_ptr<Recordset> OpenRecordset(const QString& statement) = 0;
    // A statement that returns no rows, with "?" placeholders, for running
    // many times (inside one transaction when the caller begins one).
    virtual std::unique_ptr<PreparedStatement> Prepare(const QString& statement) = 0;

    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;

    // The rows of a statement with values bound in order to its "?"
    // placeholders. A host's connection that cannot bind values in a read
    // refuses it (error 3251) rather than put them into the statement's text.
    virtual std::unique_ptr<Recordset> OpenRecordset(const QString& statement, const QVariantList& values);
};

// Doubles every single quote, for a value placed between quotes in a
// statement; statements with values bind them instead (Execute and
// OpenRecordset with values).
inline QString sqlQuoted(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

} // namespace tarvelo
