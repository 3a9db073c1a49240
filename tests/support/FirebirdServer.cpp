#include "FirebirdServer.h"

#include "platform/db/Connection.h"
#include "platform/db/Error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTcpServer>

namespace testsupport {

namespace {

// A first start of the server takes well under a second here; the margin is
// for loaded build machines.
constexpr int kStartTimeoutMs = 30000;
constexpr int kStopTimeoutMs = 30000;
// An orderly stop takes one to two seconds here when the server heeds it.
constexpr int kStopGraceMs = 5000;
// Another program may take the chosen port before the server does.
constexpr int kStartAttempts = 3;

int pickFreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const int port = probe.serverPort();
    probe.close();
    return port;
}

bool writeText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(text) == text.size();
}

QString isqlProgram()
{
    QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    if (isql.isEmpty())
        isql = QStandardPaths::findExecutable(QStringLiteral("isql"));
    return isql;
}

}  // namespace

QString firebirdInstallFolder()
{
    // Debian keeps the files of the client and the engine in a folder named
    // after the machine's architecture.
    QStringList candidates;
    const QDir lib(QStringLiteral("/usr/lib"));
    for (const QString& entry : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << lib.filePath(entry + QStringLiteral("/firebird/3.0"));
    candidates << QStringLiteral("/opt/firebird");
    for (const QString& c : candidates) {
        if (QFileInfo::exists(c + QStringLiteral("/intl/libfbintl.so")))
            return c;
    }
    return {};
}

QString writeFirebirdFolder(const QString& folder, const QString& conf)
{
    const QString install = firebirdInstallFolder();
    if (install.isEmpty())
        return QStringLiteral("no Firebird installation with intl/libfbintl.so found under /usr/lib");
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("intl")))
        return QStringLiteral("cannot create %1/intl").arg(folder);
    if (!writeText(dir.filePath(QStringLiteral("firebird.conf")), conf.toUtf8()))
        return QStringLiteral("cannot write %1/firebird.conf").arg(folder);
    // The installed character-set configuration names its module
    // "$(root)/intl/fbintl", and FIREBIRD moves $(root) here: without the
    // module WIN1254 "is not installed". It must be a real copy; the engine
    // refuses a link to the installed file.
    const QString from = install + QStringLiteral("/intl/libfbintl.so");
    const QString to = dir.filePath(QStringLiteral("intl/libfbintl.so"));
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return QStringLiteral("cannot copy %1 to %2").arg(from, to);
    return {};
}

FirebirdServer::FirebirdServer(const QString& binary) : binary_(binary) {}

FirebirdServer::~FirebirdServer()
{
    stop();
}

QString FirebirdServer::defaultBinary()
{
    return QStringLiteral("/usr/sbin/firebird");
}

qint64 FirebirdServer::processId() const
{
    return running() ? process_->processId() : 0;
}

bool FirebirdServer::running() const
{
    return process_ && process_->state() != QProcess::NotRunning;
}

QString FirebirdServer::remoteName(const QString& databasePath) const
{
    return QStringLiteral("localhost/%1:%2").arg(port_).arg(databasePath);
}

QString FirebirdServer::output()
{
    if (process_)
        output_ += QString::fromLocal8Bit(process_->readAll());
    return output_;
}

bool FirebirdServer::prepareFolder()
{
    if (folder_)
        return true;
    const QFileInfo binary(binary_);
    if (!binary.exists() || !binary.isExecutable()) {
        failure_ = QStringLiteral("the Firebird server %1 is not installed (Debian package firebird3.0-server)")
                       .arg(binary_);
        return false;
    }
    const QString isql = isqlProgram();
    if (isql.isEmpty()) {
        failure_ = QStringLiteral("isql-fb is not installed (Debian package firebird3.0-utils)");
        return false;
    }
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavlora-fbserver-XXXXXX"));
    if (!folder->isValid()) {
        failure_ = QStringLiteral("cannot create a folder for the server: %1").arg(folder->errorString());
        return false;
    }
    const QString root = folder->path();
    if (!QDir(root).mkpath(QStringLiteral("lock"))) {
        failure_ = QStringLiteral("cannot create %1/lock").arg(root);
        return false;
    }
    // The port is filled in by startOnce(); until then the configuration
    // only has to point the engine at the security database.
    const QString error = writeFirebirdFolder(root, QStringLiteral("SecurityDatabase = %1/security3.fdb\n").arg(root));
    if (!error.isEmpty()) {
        failure_ = error;
        return false;
    }

    // The security database is made through the embedded engine under the
    // server's own configuration, so that the user lands in it and not in
    // the machine's security database.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), root);
    env.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
    env.remove(QStringLiteral("ISC_USER"));
    env.remove(QStringLiteral("ISC_PASSWORD"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(root);
    p.start(isql, {QStringLiteral("-q"), QStringLiteral("-bail"), QStringLiteral("-user"), QStringLiteral("SYSDBA")});
    if (!p.waitForStarted(kStartTimeoutMs)) {
        failure_ = QStringLiteral("cannot run %1: %2").arg(isql, p.errorString());
        return false;
    }
    p.write(QStringLiteral("create database '%1/security3.fdb';\n"
                           "create or alter user SYSDBA password 'plumbride' using plugin Srp;\n"
                           "commit;\n")
                .arg(root)
                .toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(kStartTimeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        failure_ = QStringLiteral("cannot create the server's security database: %1%2")
                       .arg(QString::fromLocal8Bit(p.readAllStandardError()),
                            QString::fromLocal8Bit(p.readAllStandardOutput()));
        p.kill();
        p.waitForFinished();
        return false;
    }
    folder_ = std::move(folder);
    return true;
}

bool FirebirdServer::start()
{
    if (running())
        return true;
    failure_.clear();
    if (!prepareFolder())
        return false;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        if (port_ == 0 || attempt > 0)
            port_ = pickFreePort();
        if (port_ == 0) {
            failure_ = QStringLiteral("no free port on 127.0.0.1");
            return false;
        }
        if (startOnce())
            return true;
    }
    return false;
}

bool FirebirdServer::startOnce()
{
    const QString root = folder_->path();
    const QString conf = QStringLiteral(
                             "ServerMode = Super\n"
                             "RemoteServicePort = %1\n"
                             "RemoteBindAddress = 127.0.0.1\n"
                             "SecurityDatabase = %2/security3.fdb\n")
                             .arg(port_)
                             .arg(root);
    if (!writeText(root + QStringLiteral("/firebird.conf"), conf.toUtf8())) {
        failure_ = QStringLiteral("cannot write %1/firebird.conf").arg(root);
        return false;
    }

    QElapsedTimer clock;
    clock.start();
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), root);
    env.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
    process_->setProcessEnvironment(env);
    process_->setWorkingDirectory(root);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(binary_, {});
    if (!process_->waitForStarted(kStartTimeoutMs)) {
        failure_ = QStringLiteral("cannot start %1: %2").arg(binary_, process_->errorString());
        process_.reset();
        return false;
    }

    // Ready means a client gets in: SYSDBA attaches to the server's own
    // security database. A bare connection to the port could meet another
    // program that took the port first; the server then waits for the port
    // without a word, and the next attempt takes another one.
    QString lastError;
    while (clock.elapsed() < kStartTimeoutMs) {
        if (process_->state() == QProcess::NotRunning) {
            failure_ = QStringLiteral("%1 ended at start (exit code %2): %3")
                           .arg(binary_)
                           .arg(process_->exitCode())
                           .arg(output());
            process_.reset();
            return false;
        }
        db::Connection probe;
        probe.setDatabaseName(remoteName(root + QStringLiteral("/security3.fdb")));
        probe.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
        try {
            probe.connect();
            probe.disconnect();
            lastStartMs_ = clock.elapsed();
            return true;
        } catch (const db::Error& e) {
            lastError = e.message();
        }
        process_->waitForFinished(50);
    }
    failure_ = QStringLiteral("%1 did not let SYSDBA in on port %2 within %3 s (%4) %5")
                   .arg(binary_)
                   .arg(port_)
                   .arg(kStartTimeoutMs / 1000)
                   .arg(lastError, output());
    kill();
    return false;
}

bool FirebirdServer::waitUntilGone(int killAfterMs)
{
    QElapsedTimer clock;
    clock.start();
    const bool ended = process_->waitForFinished(killAfterMs);
    if (!ended) {
        process_->kill();
        process_->waitForFinished(kStopTimeoutMs);
    }
    lastStopMs_ = clock.elapsed();
    output();
    process_.reset();
    return ended;
}

bool FirebirdServer::stop()
{
    if (!process_)
        return true;
    if (process_->state() != QProcess::NotRunning)
        process_->terminate();
    return waitUntilGone(kStopGraceMs);
}

void FirebirdServer::kill()
{
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning)
        process_->kill();
    waitUntilGone(kStopTimeoutMs);
}

}  // namespace testsupport
