#pragma once

#include <QString>
#include <QStringList>

namespace Firebird {
class ITransaction;
}

namespace db {

class Connection;

// The transaction of a connection (`IBTransaction1`). The program keeps one
// active for the whole run and ends its units of work with retaining commits
// and rollbacks, so open datasets stay open across them.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // "read_committed", "rec_version", "nowait", "wait", "concurrency", "read".
    void setParams(const QStringList& params) { params_ = params; }
    QStringList params() const { return params_; }

    Connection& connection() const { return connection_; }

    void start();
    bool active() const { return handle_ != nullptr; }

    void commitRetaining();
    void rollbackRetaining();
    // Hard end of the transaction: frees the server's oldest snapshot.
    void commit();
    void rollback();

    // Savepoints let one command be undone without touching the rest of the
    // transaction. Names are plain SQL identifiers.
    void savepoint(const QString& name);
    void releaseSavepoint(const QString& name);
    void rollbackToSavepoint(const QString& name);
    int savepointsInUse() const { return savepointsInUse_; }

    Firebird::ITransaction* handle() const { return handle_; }

    // The connection is going away: drop the handle, rolling back if possible.
    void abandon() noexcept;

    // Counts retaining commits and rollbacks; datasets use it to tell whether
    // their rows were read in the transaction's current state.
    quint64 generation() const { return generation_; }

private:
    void requireActive() const;
    void executeImmediate(const QString& sql);

    Connection& connection_;
    QStringList params_;
    Firebird::ITransaction* handle_ = nullptr;
    int savepointsInUse_ = 0;
    quint64 generation_ = 0;
};

}  // namespace db
