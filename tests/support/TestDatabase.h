#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Transaction.h"

#include <QString>

#include <memory>
#include <ostream>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace testsupport {

// A new database file for one test, copied from a template that is built from
// schema/ once per test program. With `demo` the template holds the demo
// cafe (tables, groups, products, units; user demo / demo).
QString freshDatabase(bool demo = false);

// Folder for the test's own files; removed when the test program ends.
QString scratchDir();

// A connection with the program's settings (SYSDBA, WIN1254, dialect 3) and a
// started read_committed / rec_version / nowait transaction.
struct Session {
    explicit Session(const QString& databasePath);
    ~Session();
    db::Connection connection;
    std::unique_ptr<db::Transaction> transaction;
};

// Runs one statement in its own transaction and commits: for setting up
// rows and for looking at what another connection stored.
void execSql(const QString& databasePath, const QString& sql);
// The first column of the first row, or an invalid QVariant without rows.
QVariant queryValue(const QString& databasePath, const QString& sql);

}  // namespace testsupport
