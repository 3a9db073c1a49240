#include "ChildProgram.h"

#include "support/TestDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <csignal>

namespace childtest {

std::unique_ptr<QTemporaryDir> programFolder(const QString& databasePath)
{
    auto folder = std::make_unique<QTemporaryDir>(testsupport::scratchDir() + QStringLiteral("/program-XXXXXX"));
    QDir dir(folder->path());
    dir.mkpath(QStringLiteral("ini"));
    dir.mkpath(QStringLiteral("rapor"));
    QFile list(dir.filePath(QStringLiteral("database.txt")));
    if (list.open(QIODevice::WriteOnly))
        list.write(databasePath.toLocal8Bit() + "\r\n");
    return folder;
}

Child::Child(const QString& program, const QStringList& arguments)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(program, arguments);
    started_ = process_.waitForStarted(10000);
}

Child::~Child()
{
    if (process_.state() != QProcess::NotRunning)
        kill();
}

bool Child::waitForLine(const QString& line, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (true) {
        if (outputLines().contains(line))
            return true;
        if (clock.elapsed() >= timeoutMs)
            return false;
        if (!process_.waitForReadyRead(200) && process_.state() == QProcess::NotRunning)
            return outputLines().contains(line);
    }
}

bool Child::waitForEnd(int timeoutMs)
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

void Child::kill()
{
    process_.kill();
    process_.waitForFinished(10000);
}

void Child::signal(int signalNumber)
{
    ::kill(pid_t(process_.processId()), signalNumber);
}

QByteArray Child::output()
{
    output_ += process_.readAllStandardOutput();
    return output_;
}

QString Child::errors()
{
    errors_ += QString::fromLocal8Bit(process_.readAllStandardError());
    return errors_;
}

QStringList Child::outputLines()
{
    QStringList lines;
    for (const QByteArray& line : output().split('\n'))
        lines << QString::fromUtf8(line);
    return lines;
}

}  // namespace childtest
