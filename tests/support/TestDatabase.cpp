#include "TestDatabase.h"

#include "platform/db/Statement.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace testsupport {

namespace {

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavlora-test-XXXXXX"));
    return dir;
}

QString buildTemplate(bool demo)
{
    const QString path = tempDir().filePath(demo ? QStringLiteral("template-demo.fdb")
                                                 : QStringLiteral("template.fdb"));
    if (QFile::exists(path))
        return path;
    QStringList args{QStringLiteral(TAVLORA_SOURCE_DIR "/scripts/create-database.sh"), path};
    if (demo)
        args << QStringLiteral("--demo");
    QProcess p;
    p.start(QStringLiteral("bash"), args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "create-database.sh failed: " << p.readAllStandardError().toStdString()
                      << p.readAllStandardOutput().toStdString();
    }
    return path;
}

int copies = 0;

}  // namespace

QString scratchDir()
{
    return tempDir().path();
}

QString freshDatabase(bool demo)
{
    const QString source = buildTemplate(demo);
    const QString target = tempDir().filePath(QStringLiteral("db-%1.fdb").arg(++copies));
    if (!QFile::copy(source, target))
        ADD_FAILURE() << "cannot copy the template database to " << target.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    return target;
}

Session::Session(const QString& databasePath)
{
    connection.setDatabaseName(databasePath);
    connection.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
    connection.connect();
    transaction = std::make_unique<db::Transaction>(connection);
    transaction->setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    transaction->start();
}

Session::~Session()
{
    if (transaction && transaction->active()) {
        try {
            transaction->commit();
        } catch (...) {
        }
    }
    transaction.reset();
}

void execSql(const QString& databasePath, const QString& sql)
{
    Session s(databasePath);
    db::Statement st(*s.transaction);
    st.setSql(sql);
    st.execute();
    s.transaction->commit();
}

QVariant queryValue(const QString& databasePath, const QString& sql)
{
    Session s(databasePath);
    db::Statement st(*s.transaction);
    st.setSql(sql);
    const auto rows = st.fetchAll();
    return rows.empty() ? QVariant() : rows.front().value(0);
}

}  // namespace testsupport
