#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace billstest {

// A print server of our own for one test program: Debian's cupsd started on
// a socket in a temporary folder, with PDF printers (Debian's cups-pdf) that
// write what they are sent into a folder per printer. The process's CUPS
// clients, Qt's print support included, are pointed at it.
//
// The cups-pdf backend only runs for a server started as root and reads its
// settings from /etc/cups/cups-pdf-<printer>.conf, so the printers get names
// no one else uses and those files are removed again at the end.
class PrivateCups {
public:
    // Starts the server with one printer per name; the first is the default.
    explicit PrivateCups(const QStringList& printers);
    ~PrivateCups();

    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool started() const { return failure_.isEmpty(); }
    // Why the server could not be started, for the test's skip message.
    QString failure() const { return failure_; }

    // The queue name the server knows the printer by.
    QString queueName(const QString& printer) const;
    // Waits until the printer's jobs are done and returns the PDF files it
    // wrote, or an empty list after the timeout.
    QStringList waitForOutput(const QString& printer, int timeoutMs = 60000) const;
    // The end of the server's error log, for failure messages.
    QString logTail() const;

private:
    QString setUp(const QStringList& printers);
    QString start();
    bool pendingJobs() const;
    QString outputFolder(const QString& printer) const;

    std::unique_ptr<QTemporaryDir> folder_;
    QString socket_;
    QString prefix_;
    QStringList printers_;
    QStringList backendSettings_;
    QProcess cupsd_;
    QString failure_;
};

}  // namespace billstest
