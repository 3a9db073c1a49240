// A copy of the program as far as the database file can tell: it attaches
// with the program's own data layer and settings to the database named on
// its command line, then runs the statements it reads, one a line, each
// followed by a retaining commit. It answers each step with one line:
//
//     ATTACHED
//     OK<TAB>first column of the first row (empty when there is none)
//     ERROR<TAB>gds code<TAB>SQLSTATE<TAB>message on one line
//
// and detaches when its input ends. Everything about the engine (FIREBIRD,
// FIREBIRD_LOCK) comes from its environment.

#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <iostream>
#include <string>

namespace {

void report(const db::Error& e)
{
    QString text = e.message();
    text.replace(QLatin1Char('\n'), QLatin1String(" / "));
    std::cout << "ERROR\t" << e.gdsCode() << '\t' << e.sqlState().toStdString() << '\t' << text.toStdString()
              << std::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: attach_probe DATABASE\n";
        return 2;
    }
    db::Connection connection;
    connection.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    connection.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
    try {
        connection.connect();
    } catch (const db::Error& e) {
        report(e);
        return 1;
    }
    db::Transaction transaction(connection);
    transaction.setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    try {
        transaction.start();
    } catch (const db::Error& e) {
        report(e);
        return 1;
    }
    std::cout << "ATTACHED" << std::endl;

    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty())
            continue;
        try {
            db::Statement statement(transaction);
            statement.setSql(QString::fromStdString(line));
            QString first;
            if (statement.isSelect()) {
                const auto rows = statement.fetchAll();
                if (!rows.empty() && !rows.front().isEmpty())
                    first = rows.front().front().toString();
            } else {
                statement.execute();
            }
            transaction.commitRetaining();
            std::cout << "OK\t" << first.toStdString() << std::endl;
        } catch (const db::Error& e) {
            report(e);
        }
    }
    try {
        transaction.commit();
    } catch (const db::Error& e) {
        report(e);
    }
    connection.disconnect();
    return 0;
}
