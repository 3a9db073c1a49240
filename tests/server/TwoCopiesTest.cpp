// Two copies of the program on one machine and one database file, with the
// embedded engine and no server. The other copy is attach_probe, a process
// of its own that attaches through the program's data layer.

#include "support/FirebirdServer.h"
#include "support/TestDatabase.h"

#include "platform/db/Connection.h"
#include "platform/db/Error.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <iostream>
#include <optional>

using testsupport::freshDatabase;
using testsupport::queryValue;

namespace {

constexpr int kAnswerTimeoutMs = 30000;

// The environment of a copy started from the desktop: the engine's default
// configuration, no FIREBIRD of its own.
QProcessEnvironment defaultEngine()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("FIREBIRD"));
    return env;
}

class Probe {
public:
    Probe(const QString& database, const QProcessEnvironment& env)
    {
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(ATTACH_PROBE), {database});
    }
    ~Probe()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kAnswerTimeoutMs);
        }
    }

    // The next answer, or an empty text when none comes.
    QString answer()
    {
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && clock.elapsed() < kAnswerTimeoutMs) {
            if (process_.state() == QProcess::NotRunning)
                break;
            process_.waitForReadyRead(100);
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

    QString run(const QString& sql)
    {
        process_.write(sql.toUtf8() + '\n');
        return answer();
    }

    // Ends its input; returns its exit code, or -1 when it does not end.
    int finish()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(kAnswerTimeoutMs))
            return -1;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
};

// What the shared-engine setting takes beside the program: a folder that
// FIREBIRD names, with its firebird.conf and the character sets.
QString sharedEngineFolder()
{
    const QString folder = testsupport::scratchDir() + QStringLiteral("/shared-engine");
    const QString error = testsupport::writeFirebirdFolder(folder, QStringLiteral("ServerMode = SuperClassic\n"));
    if (!error.isEmpty())
        ADD_FAILURE() << error.toStdString();
    QDir(folder).mkpath(QStringLiteral("lock"));
    return folder;
}

QProcessEnvironment sharedEngine(const QString& folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), folder);
    // Every process on one file must meet in one lock folder.
    env.insert(QStringLiteral("FIREBIRD_LOCK"), folder + QStringLiteral("/lock"));
    return env;
}

}  // namespace

TEST(TwoCopies, WithTheDefaultEngineTheSecondIsRefusedAndTheFirstGoesOn)
{
    const QString path = freshDatabase(true);
    Probe first(path, defaultEngine());
    ASSERT_EQ(first.answer(), QStringLiteral("ATTACHED"));

    db::Connection second;
    second.setDatabaseName(path);
    second.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
    std::optional<db::Error> refused;
    QElapsedTimer clock;
    clock.start();
    try {
        second.connect();
    } catch (const db::Error& e) {
        refused = e;
    }
    const qint64 refusedAfterMs = clock.elapsed();
    ASSERT_TRUE(refused.has_value()) << "a second copy attached to a file the first holds";
    std::cout << "[ figures  ] second embedded attach refused after " << refusedAfterMs << " ms: gds "
              << refused->gdsCode() << ", SQLSTATE " << refused->sqlState().toStdString() << ", SQLCODE "
              << refused->sqlCode() << ", isConnectionLost " << refused->isConnectionLost() << ", \""
              << refused->message().toStdString() << "\"\n";
    EXPECT_FALSE(second.connected());
    EXPECT_EQ(refused->sqlState(), QStringLiteral("08001"));
    EXPECT_EQ(refused->gdsCode(), 335544344L);  // I/O error during "lock" operation
    EXPECT_TRUE(refused->message().contains(
        QStringLiteral("Database already opened with engine instance, incompatible with current")))
        << refused->message().toStdString();

    // The first copy is untouched: it reads, stores and commits.
    EXPECT_EQ(first.run(QStringLiteral("select count(*) from MASA")), QStringLiteral("OK\t20"));
    EXPECT_EQ(first.run(QStringLiteral("insert into BIRIM (SN, BIRIM) values (90, 'Tepsi')")), QStringLiteral("OK"));
    EXPECT_EQ(first.finish(), 0);

    // Once the first copy has closed, the second gets in and sees its work.
    second.connect();
    EXPECT_TRUE(second.connected());
    second.disconnect();
    EXPECT_EQ(queryValue(path, QStringLiteral("select count(*) from BIRIM where BIRIM = 'Tepsi'")).toInt(), 1);
}

TEST(TwoCopies, WithTheSharedEngineBothWorkOnTheFile)
{
    const QString folder = sharedEngineFolder();
    const QString path = freshDatabase(true);
    Probe first(path, sharedEngine(folder));
    ASSERT_EQ(first.answer(), QStringLiteral("ATTACHED"));
    Probe second(path, sharedEngine(folder));
    ASSERT_EQ(second.answer(), QStringLiteral("ATTACHED"));

    // Each sees what the other committed; Turkish text passes through the
    // folder's own character sets.
    EXPECT_EQ(first.run(QStringLiteral("insert into BIRIM (SN, BIRIM) values (91, 'Şişe kapağı')")),
              QStringLiteral("OK"));
    EXPECT_EQ(second.run(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Şişe kapağı'")),
              QStringLiteral("OK\t1"));
    EXPECT_EQ(second.run(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 4")), QStringLiteral("OK"));
    EXPECT_EQ(first.run(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = 4")), QStringLiteral("OK\t2"));

    // The tools join in under the same setting.
    const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    ASSERT_FALSE(isql.isEmpty());
    QProcess tool;
    tool.setProcessEnvironment(sharedEngine(folder));
    tool.start(isql, {QStringLiteral("-q"), QStringLiteral("-ch"), QStringLiteral("UTF8"), QStringLiteral("-user"),
                      QStringLiteral("SYSDBA"), path});
    tool.write("select 'count=' || count(*) from BIRIM where BIRIM = 'Şişe kapağı';\n");
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(kAnswerTimeoutMs));
    const QString toolOutput = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    EXPECT_TRUE(toolOutput.contains(QStringLiteral("count=1"))) << toolOutput.toStdString();

    // A copy without the setting is refused while they hold the file.
    Probe outsider(path, defaultEngine());
    const QString refused = outsider.answer();
    std::cout << "[ figures  ] copy without the shared setting: " << refused.toStdString() << "\n";
    EXPECT_TRUE(refused.startsWith(QStringLiteral("ERROR\t"))) << refused.toStdString();

    EXPECT_EQ(first.finish(), 0);
    EXPECT_EQ(second.finish(), 0);
}
