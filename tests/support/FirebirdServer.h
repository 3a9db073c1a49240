#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// A Firebird server of the test program's own, for tests of several
// terminals. It listens on a free port of 127.0.0.1 (never 3050) and has its
// own folder: firebird.conf, lock folder, character sets and a security
// database in which SYSDBA's password is "plumbride". So it never
// meets a server that is already running on the machine, and that server
// never sees the tests.
//
// The server runs as a QProcess child and is stopped by its process id; the
// test process installs no signal handler of its own (see the note on signals
// in ARCHITECTURE.md).
//
//     FirebirdServer server;
//     if (!server.start())
//         GTEST_SKIP() << server.failure();
//     Session s(server.remoteName(freshDatabase(true)));
class FirebirdServer {
public:
    // `binary` is the server program; Debian's firebird3.0-server installs it
    // as /usr/sbin/firebird.
    explicit FirebirdServer(const QString& binary = defaultBinary());
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    static QString defaultBinary();

    // Prepares the server's folder the first time, starts the server and
    // waits until it accepts connections. Starting again after stop() or
    // kill() keeps the folder and the port. Returns false, with the reason in
    // failure(), when the server is not installed or does not come up.
    bool start();
    // An orderly stop: SIGTERM to the server's process id. Firebird 3.0.11
    // ignores it now and then (its shutdown thread can lose a race at the
    // server's start; fixed upstream later), so a server still running after
    // a few seconds is killed. Returns whether it stopped on its own.
    bool stop();
    // A crash: SIGKILL to the server's process id.
    void kill();
    bool running() const;

    QString failure() const { return failure_; }
    int port() const { return port_; }
    qint64 processId() const;
    // How long the last start took until the server accepted a connection.
    qint64 lastStartMilliseconds() const { return lastStartMs_; }
    // How long the last stop() or kill() took until the process was gone.
    qint64 lastStopMilliseconds() const { return lastStopMs_; }

    // The name a client attaches to: "localhost/<port>:<path>". The file must
    // be one the server may read and write; freshDatabase() makes such files.
    QString remoteName(const QString& databasePath) const;

    // What the server wrote to its standard output and error so far.
    QString output();

private:
    bool prepareFolder();
    bool startOnce();
    bool waitUntilGone(int killAfterMs);

    QString binary_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QProcess> process_;
    QString failure_;
    QString output_;
    int port_ = 0;
    qint64 lastStartMs_ = -1;
    qint64 lastStopMs_ = -1;
};

// The folder of the installed Firebird engine files (intl/libfbintl.so), or
// an empty string when none is found.
QString firebirdInstallFolder();

// Makes `folder` fit for FIREBIRD to point at: `conf` as its firebird.conf
// and a real copy of the character-sets module in intl/, without which
// WIN1254 is "not installed" there. Returns an error text, or an empty
// string on success.
QString writeFirebirdFolder(const QString& folder, const QString& conf);

}  // namespace testsupport
