#pragma once

// The test side of the child programs: a program folder for them, and a
// child whose output lines are watched.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace childtest {

// A program folder as the program finds it beside itself, its database.txt
// naming the database.
std::unique_ptr<QTemporaryDir> programFolder(const QString& databasePath);

class Child {
public:
    Child(const QString& program, const QStringList& arguments);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return started_; }
    // Waits until the child prints `line` as a line of its own; false when
    // it ends or `timeoutMs` passes first.
    bool waitForLine(const QString& line, int timeoutMs);
    // Waits for the child to end by itself; false after `timeoutMs`.
    bool waitForEnd(int timeoutMs);
    bool running() const { return process_.state() == QProcess::Running; }
    void kill();
    void signal(int signalNumber);

    // Everything the child printed so far, and its error output.
    QByteArray output();
    QString errors();
    QStringList outputLines();
    int exitCode() const { return process_.exitCode(); }
    bool crashed() const { return process_.exitStatus() == QProcess::CrashExit; }

private:
    QProcess process_;
    QByteArray output_;
    QString errors_;
    bool started_ = false;
};

}  // namespace childtest
