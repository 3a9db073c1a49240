#include "PrivateCups.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

namespace billstest {

namespace {

const QString cupsd = QStringLiteral("/usr/sbin/cupsd");
const QString pdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString pdfDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString backendSettingsFolder = QStringLiteral("/etc/cups");

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

}  // namespace

PrivateCups::PrivateCups(const QStringList& printers)
{
    failure_ = setUp(printers);
    if (failure_.isEmpty())
        failure_ = start();
}

PrivateCups::~PrivateCups()
{
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }
    for (const QString& path : backendSettings_)
        QFile::remove(path);
}

QString PrivateCups::setUp(const QStringList& printers)
{
    if (!QFileInfo(cupsd).isExecutable())
        return QStringLiteral("%1 is not installed (Debian package cups)").arg(cupsd);
    if (!QFileInfo::exists(pdfBackend) || !QFileInfo::exists(pdfDriver))
        return QStringLiteral("the PDF printer is not installed (Debian package printer-driver-cups-pdf)");
    if (geteuid() != 0)
        return QStringLiteral("the PDF printer's backend runs only under a print server started as root");
    if (!QFileInfo(backendSettingsFolder).isWritable())
        return QStringLiteral("%1 is not writable").arg(backendSettingsFolder);

    folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavlora-cups-XXXXXX"));
    if (!folder_->isValid())
        return QStringLiteral("cannot create a folder for the print server");
    const QString root = folder_->path();
    // The filters run as the server's unprivileged user and must reach the spool.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log", "pdf-spool", "out"}) {
        if (!QDir(root).mkpath(QString::fromLatin1(sub)))
            return QStringLiteral("cannot create %1/%2").arg(root, QString::fromLatin1(sub));
    }
    QFile::setPermissions(root + QStringLiteral("/pdf-spool"), QFileDevice::Permissions(0x7777));

    socket_ = root + QStringLiteral("/cups.sock");
    prefix_ = QStringLiteral("TavloraTest%1_").arg(QCoreApplication::applicationPid());
    printers_ = printers;

    const bool written =
        writeFile(root + QStringLiteral("/etc/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\nBrowsing Off\nDefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                      .arg(socket_)) &&
        writeFile(root + QStringLiteral("/etc/cups-files.conf"),
                  QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                 "SystemGroup root\nSandboxing Relaxed\n")
                      .arg(root));
    if (!written)
        return QStringLiteral("cannot write the print server's settings in %1").arg(root);

    QString queues;
    for (int i = 0; i < printers.size(); ++i) {
        const QString queue = queueName(printers[i]);
        const QString out = outputFolder(printers[i]);
        if (!QDir().mkpath(out))
            return QStringLiteral("cannot create %1").arg(out);
        const QString element = i == 0 ? QStringLiteral("DefaultPrinter") : QStringLiteral("Printer");
        // The queue turns the PDF it gets into PostScript for cups-pdf, which
        // makes a PDF again. Through Ghostscript the text of the slip would
        // come back as unreadable glyph codes; through cairo most of it stays
        // text that pdftotext can read (Ğ, Ş and İ still do not).
        queues += QStringLiteral("<%1 %2>\nDeviceURI cups-pdf:/%2\nState Idle\nAccepting Yes\nShared No\n"
                                 "Option pdftops-renderer pdftocairo\n</%1>\n")
                      .arg(element, queue);
        if (!QFile::copy(pdfDriver, QStringLiteral("%1/etc/ppd/%2.ppd").arg(root, queue)))
            return QStringLiteral("cannot copy %1").arg(pdfDriver);
        const QString settings = QStringLiteral("%1/cups-pdf-%2.conf").arg(backendSettingsFolder, queue);
        backendSettings_ << settings;
        if (!writeFile(settings, QStringLiteral("Out %1\nAnonDirName %1\nSpool %2/pdf-spool\nLog %2/log\n"
                                                "Grp root\nUserUMask 0000\nAnonUMask 0000\n")
                                     .arg(out, root)))
            return QStringLiteral("cannot write %1").arg(settings);
    }
    if (!writeFile(root + QStringLiteral("/etc/printers.conf"), queues))
        return QStringLiteral("cannot write the printer list in %1").arg(root);
    return {};
}

QString PrivateCups::start()
{
    const QString root = folder_->path();
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/etc/cupsd.conf"),
                         QStringLiteral("-s"), root + QStringLiteral("/etc/cups-files.conf")});
    if (!cupsd_.waitForStarted(5000))
        return QStringLiteral("cannot start %1: %2").arg(cupsd, cupsd_.errorString());

    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (cupsd_.state() == QProcess::NotRunning)
            return QStringLiteral("cupsd ended at once: %1 %2").arg(QString::fromLocal8Bit(cupsd_.readAll()), logTail());
        if (QFileInfo::exists(socket_)) {
            QProcess lpstat;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("CUPS_SERVER"), socket_);
            lpstat.setProcessEnvironment(env);
            lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
            if (lpstat.waitForFinished(5000) && lpstat.exitCode() == 0 &&
                lpstat.readAllStandardOutput().contains("is running")) {
                // Every CUPS client of this process, Qt's included, asks this server.
                qputenv("CUPS_SERVER", socket_.toLocal8Bit());
                return {};
            }
        }
        QThread::msleep(100);
    }
    return QStringLiteral("cupsd did not answer on %1 within 15 s: %2").arg(socket_, logTail());
}

QString PrivateCups::queueName(const QString& printer) const
{
    return prefix_ + printer;
}

QString PrivateCups::outputFolder(const QString& printer) const
{
    return folder_->path() + QStringLiteral("/out/") + printer;
}

bool PrivateCups::pendingJobs() const
{
    QProcess lpstat;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socket_);
    lpstat.setProcessEnvironment(env);
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    return !lpstat.waitForFinished(5000) || !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

QStringList PrivateCups::waitForOutput(const QString& printer, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QStringList files;
        for (const QFileInfo& file :
             QDir(outputFolder(printer)).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name)) {
            if (file.size() > 0)
                files << file.filePath();
        }
        if (!files.isEmpty() && !pendingJobs())
            return files;
        QThread::msleep(200);
    }
    return {};
}

QString PrivateCups::logTail() const
{
    if (!folder_)
        return {};
    QFile log(folder_->path() + QStringLiteral("/log/error_log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(log.readAll().right(2000));
}

}  // namespace billstest
