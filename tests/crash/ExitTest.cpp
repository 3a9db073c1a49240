// Ends the program the ways a desktop session does: SIGTERM, SIGINT (Ctrl+C
// in a terminal), SIGHUP (the terminal closed) and "Çıkış", at the main window and in the middle of order
// entry. The program must end by itself within seconds, never hang on the
// Firebird client's detach, and leave the database as its data module's end
// leaves it: what was pending committed.
#include "ChildProgram.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <csignal>
#include <iostream>

namespace {

struct Ending {
    const char* where;     // the child's scenario
    const char* waitFor;   // its line before the signal; empty: it ends by itself
    int signalNumber;      // 0: none
    const char* expected;  // bills / lines / table 4 afterwards
    const char* name;
};

void PrintTo(const Ending& e, std::ostream* os)
{
    *os << e.name;
}

QString state(const QString& databasePath)
{
    return QStringLiteral("bills=%1 lines=%2 table4=%3")
        .arg(testsupport::queryValue(databasePath, QStringLiteral("select count(*) from ADISYON")).toInt())
        .arg(testsupport::queryValue(databasePath, QStringLiteral("select count(*) from STOK_HAREKET")).toInt())
        .arg(testsupport::queryValue(databasePath, QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = 4"))
                 .toInt());
}

class ProgramEnd : public ::testing::TestWithParam<Ending> {};

TEST_P(ProgramEnd, EndsPromptlyAndLeavesThePendingWorkCommitted)
{
    const Ending e = GetParam();
    const QString databasePath = testsupport::freshDatabase(true);
    const auto folder = childtest::programFolder(databasePath);
    childtest::Child child(QStringLiteral(EXIT_CHILD), {folder->path(), QString::fromLatin1(e.where)});
    ASSERT_TRUE(child.started());

    if (*e.waitFor) {
        ASSERT_TRUE(child.waitForLine(QString::fromLatin1(e.waitFor), 60000))
            << child.output().toStdString() << child.errors().toStdString();
    }
    QElapsedTimer clock;
    clock.start();
    if (e.signalNumber)
        child.signal(e.signalNumber);
    ASSERT_TRUE(child.waitForEnd(10000)) << "still running 10 s later; its output:\n"
                                         << child.output().toStdString() << child.errors().toStdString();
    const qint64 tookMs = clock.elapsed();
    std::cout << "[ ended    ] " << e.name << " in " << tookMs << " ms" << std::endl;

    EXPECT_FALSE(child.crashed()) << child.errors().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << child.errors().toStdString();
    EXPECT_TRUE(child.outputLines().contains(QStringLiteral("ENDED 0")))
        << child.output().toStdString() << child.errors().toStdString();
    EXPECT_EQ(state(databasePath), QString::fromLatin1(e.expected));
}

// Order entry left by the session's end: the bill row and its two lines are
// committed when the data module goes; the table was never marked occupied
// ("Kaydet" was not pressed).
INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramEnd,
    ::testing::Values(
        Ending{"main-window", "LOGGED IN", SIGTERM, "bills=0 lines=0 table4=1", "SigtermAtTheMainWindow"},
        Ending{"main-window", "LOGGED IN", SIGINT, "bills=0 lines=0 table4=1", "SigintAtTheMainWindow"},
        Ending{"order-entry", "MID entry", SIGTERM, "bills=1 lines=2 table4=1", "SigtermInOrderEntry"},
        Ending{"order-entry", "MID entry", SIGINT, "bills=1 lines=2 table4=1", "SigintInOrderEntry"},
        Ending{"order-entry", "MID entry", SIGHUP, "bills=1 lines=2 table4=1", "SighupInOrderEntry"},
        Ending{"exit-button", "", 0, "bills=0 lines=0 table4=1", "ExitButton"}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

}  // namespace
