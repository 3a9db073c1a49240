#pragma once

#include "SqlText.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
class IResultSet;
}  // namespace Firebird

namespace db {

class Connection;
class Transaction;

enum class FieldType { Unknown, SmallInt, Integer, BigInt, Double, Scaled, Text, Timestamp, Date, Time, Boolean, Bytes };

// What the server says of one column of a result or one parameter.
struct ColumnInfo {
    QString name;       // the alias as the select names it
    QString relation;   // table it comes from, empty for an expression
    QString column;     // column in that table
    FieldType type = FieldType::Unknown;
    int length = 0;     // characters for text, bytes otherwise
    int scale = 0;
    bool nullable = true;
    bool fixedText = false;  // CHAR(n): blank-padded by the server

    // Where the value lies in the message buffer.
    unsigned sqlType = 0;
    unsigned charSet = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

using Row = QList<QVariant>;

// A prepared statement with named parameters, run in a transaction. It stays
// prepared until its text changes, so a statement run again and again costs
// only its execution.
class Statement {
public:
    explicit Statement(Transaction& transaction);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void setSql(const QString& sql);
    QString sql() const { return sql_; }

    void prepare();
    bool prepared() const { return handle_ != nullptr; }

    // Parameter names in upper case, each once.
    QStringList paramNames();
    bool hasParam(const QString& name);
    // Sets every occurrence of the parameter. Text for a numeric parameter is
    // converted; an empty text is NULL.
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    void clearParams();

    const std::vector<ColumnInfo>& columns();
    bool isSelect();

    // Runs a statement that returns no rows (or one row, available through
    // singletonRow()).
    void execute();
    const Row& singletonRow() const { return singleton_; }
    // Rows the last execute() inserted, changed or deleted.
    quint64 rowsAffected() const { return rowsAffected_; }

    // Runs a select and reads its rows one by one.
    void openCursor();
    bool fetch(Row& row);
    void closeCursor() noexcept;
    std::vector<Row> fetchAll();

    Transaction& transaction() const { return transaction_; }

    // Called by the connection before it detaches.
    void releaseHandle() noexcept;

private:
    void ensurePrepared();
    void fillInputBuffer();
    Row readRow(const unsigned char* buffer) const;

    Transaction& transaction_;
    Connection& connection_;
    QString sql_;
    ParsedSql parsed_;
    QHash<QString, QVariant> params_;

    Firebird::IStatement* handle_ = nullptr;
    Firebird::IMessageMetadata* inMeta_ = nullptr;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    Firebird::IResultSet* cursor_ = nullptr;
    std::vector<ColumnInfo> inColumns_;
    std::vector<ColumnInfo> outColumns_;
    std::vector<double> inBuffer_;   // double storage keeps the buffers aligned
    std::vector<double> outBuffer_;
    unsigned statementType_ = 0;
    Row singleton_;
    quint64 rowsAffected_ = 0;
};

}  // namespace db
