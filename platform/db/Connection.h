#pragma once

#include "PreparedStatementCache.h"

#include <QString>
#include <QStringList>

#include <set>

namespace Firebird {
class IAttachment;
}

namespace db {

class Statement;
class Transaction;

// One attachment to a database (`IBDatabase1`). Text travels as code page
// 1254 (lc_ctype WIN1254), SQL dialect 3, and no login prompt ever appears.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setDatabaseName(const QString& name) { databaseName_ = name; }
    QString databaseName() const { return databaseName_; }

    // "user_name=SYSDBA", "password=plumbride" and the like.
    void setParams(const QStringList& params) { params_ = params; }
    QStringList params() const { return params_; }

    // Raises db::Error when the server or the database cannot be reached.
    void connect();
    // Detaches; active transactions of this connection must be ended first.
    void disconnect() noexcept;
    bool connected() const { return attachment_ != nullptr; }

    Firebird::IAttachment* attachment() const { return attachment_; }

    // Prepared statements hold server handles: they are released before the
    // attachment goes and prepared again when next used.
    void registerStatement(Statement* statement) { statements_.insert(statement); }
    void unregisterStatement(Statement* statement) { statements_.erase(statement); }
    // Prepared statements no statement holds any longer, kept for the next
    // statement of the same text.
    PreparedStatementCache& preparedStatements() { return preparedStatements_; }
    // Transactions still active at a disconnect are rolled back first.
    void registerTransaction(Transaction* transaction) { transactions_.insert(transaction); }
    void unregisterTransaction(Transaction* transaction) { transactions_.erase(transaction); }

private:
    QString param(const QString& key) const;

    QString databaseName_;
    QStringList params_;
    Firebird::IAttachment* attachment_ = nullptr;
    std::set<Statement*> statements_;
    PreparedStatementCache preparedStatements_;
    std::set<Transaction*> transactions_;
};

}  // namespace db
