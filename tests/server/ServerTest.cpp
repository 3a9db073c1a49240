#include "SharedServer.h"

#include "support/TestDatabase.h"

#include "platform/db/Error.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <iostream>

using testsupport::FirebirdServer;
using testsupport::queryValue;

TEST(FirebirdServerHelper, AServerThatIsNotInstalledSaysWhy)
{
    FirebirdServer server(QStringLiteral("/nonexistent/sbin/firebird"));
    EXPECT_FALSE(server.start());
    EXPECT_FALSE(server.running());
    EXPECT_TRUE(server.failure().contains(QStringLiteral("/nonexistent/sbin/firebird")))
        << server.failure().toStdString();
}

TEST(FirebirdServerHelper, AServerThatEndsAtOnceSaysWhy)
{
    if (!QFileInfo::exists(QStringLiteral("/bin/false")))
        GTEST_SKIP() << "no /bin/false on this machine";
    FirebirdServer server(QStringLiteral("/bin/false"));
    EXPECT_FALSE(server.start());
    EXPECT_FALSE(server.running());
    EXPECT_TRUE(server.failure().contains(QStringLiteral("ended at start"))) << server.failure().toStdString();
}

TEST_F(OnServer, ClientsReachItOverTcpOnItsOwnPort)
{
    std::cout << "[ figures  ] server pid " << server->processId() << " on port " << server->port()
              << ", let SYSDBA in " << server->lastStartMilliseconds() << " ms after its start\n";
    EXPECT_NE(server->port(), 3050);
    EXPECT_TRUE(databaseName.startsWith(QStringLiteral("localhost/%1:").arg(server->port())))
        << databaseName.toStdString();
    EXPECT_EQ(queryValue(databaseName, QStringLiteral("select MON$REMOTE_PROTOCOL from MON$ATTACHMENTS "
                                                      "where MON$ATTACHMENT_ID = CURRENT_CONNECTION"))
                  .toString()
                  .trimmed(),
              QStringLiteral("TCPv4"));
    EXPECT_TRUE(queryValue(databaseName, QStringLiteral("select MON$REMOTE_ADDRESS from MON$ATTACHMENTS "
                                                        "where MON$ATTACHMENT_ID = CURRENT_CONNECTION"))
                    .toString()
                    .startsWith(QStringLiteral("127.0.0.1")));
    // Turkish text comes through the server's own character sets.
    EXPECT_EQ(queryValue(databaseName, QStringLiteral("select MASA_ADI from MASA where MASA_ID = 17")).toString(),
              QStringLiteral("Bahçe 1"));
}

TEST_F(OnServer, OnlySysdbaWithItsOwnPasswordGetsIn)
{
    db::Connection connection;
    connection.setDatabaseName(databaseName);
    connection.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=masterkey")});
    try {
        connection.connect();
        FAIL() << "a wrong password was accepted";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.sqlState(), QStringLiteral("28000")) << e.message().toStdString();
    }
    EXPECT_FALSE(connection.connected());
}
