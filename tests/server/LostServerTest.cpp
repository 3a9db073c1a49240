// The server goes away while a terminal works: killed (a crash, a power cut
// of the server machine) or stopped in order (its administrator). Each test
// has a server of its own, since it stops it.

#include "Terminal.h"

#include "support/FirebirdServer.h"
#include "support/TestDatabase.h"

#include "platform/db/Error.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <iostream>
#include <optional>

using testsupport::FirebirdServer;
using testsupport::queryValue;

namespace {

constexpr int kTable = 3;

enum class Ending { Killed, Stopped };

std::string endingName(const ::testing::TestParamInfo<Ending>& info)
{
    return info.param == Ending::Killed ? "Killed" : "Stopped";
}

class ServerGone : public ::testing::TestWithParam<Ending> {
protected:
    void SetUp() override
    {
        if (!server.start())
            GTEST_SKIP() << "no Firebird server for this test: " << server.failure().toStdString();
        databaseName = server.remoteName(testsupport::freshDatabase(true));
    }

    void endServer()
    {
        const char* how = "killed";
        if (GetParam() == Ending::Killed)
            server.kill();
        else
            how = server.stop() ? "stopped in order" : "killed, having ignored the stop,";
        std::cout << "[ figures  ] server " << how << " in " << server.lastStopMilliseconds() << " ms\n";
    }

    QVariant value(const QString& sql) { return queryValue(databaseName, sql); }

    FirebirdServer server;
    QString databaseName;
};

void printError(const char* what, const db::Error& e, qint64 ms)
{
    std::cout << "[ figures  ] " << what << " after " << ms << " ms: gds " << e.gdsCode() << ", SQLSTATE "
              << e.sqlState().toStdString() << ", SQLCODE " << e.sqlCode() << ", isConnectionLost "
              << e.isConnectionLost() << ", \"" << e.message().toStdString() << "\"\n";
}

}  // namespace

TEST_P(ServerGone, InTheMiddleOfACommandLeavesOnlyCommittedWork)
{
    auto terminal = std::make_unique<Terminal>(databaseName);
    terminal->openPanel();
    terminal->openBill(kTable, {1, 2});
    ASSERT_TRUE(terminal->selectTable(kTable));
    const int bill = terminal->openBillId();
    const double due = terminal->amountDue();

    // The bill row of the collection is stored, the table row is not.
    std::optional<db::Error> lost;
    QElapsedTimer clock;
    try {
        terminal->collect(1, [&] {
            endServer();
            clock.start();
        });
    } catch (const db::Error& e) {
        lost = e;
    }
    ASSERT_TRUE(lost.has_value()) << "the collection went through with the server gone";
    printError("command on a lost server failed", *lost, clock.elapsed());
    EXPECT_TRUE(lost->isConnectionLost());
    EXPECT_FALSE(lost->message().isEmpty());

    // The data module closes without hanging: its final commit fails
    // quietly and the connection is dropped.
    QElapsedTimer closing;
    closing.start();
    terminal.reset();
    std::cout << "[ figures  ] data module closed " << closing.elapsed() << " ms after the server went\n";

    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    std::cout << "[ figures  ] server back after " << server.lastStartMilliseconds() << " ms\n";
    // Only what was committed: the bill is open, with its lines, on an
    // occupied table.
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON")).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 2);
    EXPECT_TRUE(value(QStringLiteral("select TAHSILAT_ID from ADISYON where ADISYON_ID = %1").arg(bill)).isNull());
    EXPECT_TRUE(value(QStringLiteral("select KAPANIS_TARIHI from ADISYON where ADISYON_ID = %1").arg(bill)).isNull());
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(kTable)).toInt(), 2);
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("select sum(ARA_TUTAR) from STOK_HAREKET where ADISYON_ID = %1").arg(bill)).toDouble(),
        due);
}

TEST_P(ServerGone, BetweenCommandsTheTerminalConnectsAgainWhenItIsBack)
{
    Terminal terminal(databaseName);
    terminal.openPanel();
    terminal.openBill(kTable, {1, 2});
    ASSERT_TRUE(terminal.selectTable(kTable));
    const int bill = terminal.openBillId();
    const double due = terminal.amountDue();

    endServer();
    try {
        terminal.dm().Q_Masa->refresh();
        FAIL() << "the tables were read from a server that is gone";
    } catch (const db::Error& e) {
        printError("re-read on a lost server failed", e, 0);
        EXPECT_TRUE(e.isConnectionLost());
    }

    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    Tdm& dm = terminal.dm();
    dm.IBDatabase1->disconnect();
    dm.IBDatabase1->connect();
    dm.IBTransaction1->start();
    dm.Q_Masa->refresh();
    ASSERT_TRUE(terminal.selectTable(kTable));
    ASSERT_TRUE(terminal.hasOpenBill());
    EXPECT_EQ(terminal.openBillId(), bill);
    terminal.collect(1);

    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 1);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select K_TUTAR from ADISYON where ADISYON_ID = %1").arg(bill)).toDouble(),
                     due);
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(kTable)).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(, ServerGone, ::testing::Values(Ending::Killed, Ending::Stopped), endingName);
