// Kills the program with SIGKILL at chosen points of its bill and master-data
// commands and checks the database afterwards: every command that returned is
// there whole, a command under way is either all there or not at all, and an
// order never saved leaves no trace.
#include "ChildProgram.h"

#include "support/TestDatabase.h"

#include "platform/db/Statement.h"

#include <gtest/gtest.h>

#include <QThread>

#include <iostream>

namespace {

// The committing commands of the child, in the order it runs them.
const QStringList kCommands = {QStringLiteral("pick-saved"),  QStringLiteral("discount"),
                               QStringLiteral("move"),        QStringLiteral("cash"),
                               QStringLiteral("reopen"),      QStringLiteral("cancel"),
                               QStringLiteral("table-added"), QStringLiteral("product-saved")};

// What the tests look at, in one line so a mismatch shows everything.
QString snapshot(const QString& databasePath)
{
    testsupport::Session session(databasePath);
    auto one = [&](const QString& sql) {
        db::Statement st(*session.transaction);
        st.setSql(sql);
        const auto rows = st.fetchAll();
        if (rows.empty())
            return QStringLiteral("-");
        QStringList values;
        for (int i = 0; i < rows.front().count(); ++i) {
            const QVariant v = rows.front().value(i);
            values << (v.isNull() ? QStringLiteral("null") : v.toString());
        }
        return values.join(QLatin1Char('/'));
    };
    return QStringLiteral("tables 4/5/7=%1 bills=%2 last=%3 lines=%4 masa=%5 cay=%6")
        .arg(one(QStringLiteral("select (select ACIK_KAPALI from MASA where MASA_ID = 4), "
                                "(select ACIK_KAPALI from MASA where MASA_ID = 5), "
                                "(select ACIK_KAPALI from MASA where MASA_ID = 7) from RDB$DATABASE")),
             one(QStringLiteral("select count(*) from ADISYON")),
             one(QStringLiteral("select MASA_ID, ACIK_KAPALI, IPTAL_ID, TAHSILAT_ID, "
                                "cast(TUTAR as double precision), cast(ISKONTO as double precision), "
                                "cast(ARA_TUTAR as double precision), cast(K_TUTAR as double precision), "
                                "cast(B_TUTAR as double precision) from ADISYON order by ADISYON_ID desc")),
             one(QStringLiteral("select count(*), sum(case when IPTAL_ID = 1 then 1 else 0 end), "
                                "cast(sum(CIKAN) as double precision), cast(sum(coalesce(ISKONTO, 0)) as double precision) "
                                "from STOK_HAREKET")),
             one(QStringLiteral("select count(*), max(MASA_ADI) from MASA where MASA_ID > 20")),
             one(QStringLiteral("select cast(FIYAT as double precision) from STOK where STOK_ADI = 'Çay'")));
}

// The database after the first `done` commands of the child (0 to 8).
// Çay 17.50 and Türk Kahvesi 60: gross 77.5, 10 % off 7.75, net 69.75.
QString expected(int done)
{
    static const char* const states[] = {
        "tables 4/5/7=1/1/1 bills=0 last=- lines=0/null/null/null masa=0/null cay=17.5",
        "tables 4/5/7=2/1/1 bills=1 last=4/2/1/null/null/null/null/null/null lines=2/2/2/0 masa=0/null cay=17.5",
        "tables 4/5/7=2/1/1 bills=1 last=4/2/1/null/null/null/null/null/null lines=2/2/2/20 masa=0/null cay=17.5",
        "tables 4/5/7=1/1/2 bills=1 last=7/2/1/null/null/null/null/null/null lines=2/2/2/20 masa=0/null cay=17.5",
        "tables 4/5/7=1/1/1 bills=1 last=7/1/1/1/77.5/7.75/69.75/69.75/0 lines=2/2/2/20 masa=0/null cay=17.5",
        // Çay again on "Masa 4", then the bill cancelled: its line stays live.
        "tables 4/5/7=2/1/1 bills=2 last=4/2/1/null/null/null/null/null/null lines=3/3/3/20 masa=0/null cay=17.5",
        "tables 4/5/7=1/1/1 bills=2 last=4/1/2/null/17.5/0/17.5/null/null lines=3/3/3/20 masa=0/null cay=17.5",
        "tables 4/5/7=1/1/1 bills=2 last=4/1/2/null/17.5/0/17.5/null/null lines=3/3/3/20 masa=1/Teras 1 cay=17.5",
        "tables 4/5/7=1/1/1 bills=2 last=4/1/2/null/17.5/0/17.5/null/null lines=3/3/3/20 masa=1/Teras 1 cay=20",
    };
    return QString::fromLatin1(states[done]);
}

struct KillPoint {
    const char* line;  // the child's line after which it is killed
    const char* name;
};

void PrintTo(const KillPoint& point, std::ostream* os)
{
    *os << '"' << point.line << '"';
}

class CrashSafety : public ::testing::TestWithParam<KillPoint> {};

TEST_P(CrashSafety, NothingFinishedIsLostAndNothingUnfinishedRemains)
{
    const QString killLine = QString::fromLatin1(GetParam().line);
    // Different timing on every run: at once (several times, as the
    // scheduler lands differently each time), and later while the next
    // commands are under way.
    QStringList seen;
    for (int delayMs : {0, 0, 0, 0, 1, 1, 2, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 35, 50}) {
        SCOPED_TRACE(QStringLiteral("killed %1 ms after \"%2\"").arg(delayMs).arg(killLine).toStdString());
        const QString databasePath = testsupport::freshDatabase(true);
        ASSERT_EQ(snapshot(databasePath), expected(0)) << "the demo cafe changed";
        const auto folder = childtest::programFolder(databasePath);

        childtest::Child child(QStringLiteral(CRASH_CHILD), {databasePath, folder->path()});
        ASSERT_TRUE(child.started());
        const bool reached = child.waitForLine(killLine, 60000);
        if (reached && delayMs > 0)
            QThread::msleep(delayMs);
        const bool stillRunning = child.running();
        child.kill();
        const QByteArray output = child.output();
        const QString childErrors = child.errors();
        ASSERT_TRUE(reached) << "the child never printed the line; its output:\n"
                             << output.toStdString() << childErrors.toStdString();
        ASSERT_TRUE(stillRunning) << "the child ended before it was killed:\n" << output.toStdString();
        ASSERT_FALSE(output.contains("ERROR")) << output.toStdString() << childErrors.toStdString();

        // Commands the child reported done; the one after may have been
        // committed without the report getting out.
        int done = 0;
        for (const QByteArray& line : output.split('\n')) {
            const QString text = QString::fromUtf8(line);
            if (text.startsWith(QLatin1String("DONE ")))
                done = int(kCommands.indexOf(text.mid(5))) + 1;
        }
        ASSERT_GE(done, 1) << output.toStdString();
        const QString found = snapshot(databasePath);
        seen << QStringLiteral("%1 ms: %2 reported, %3").arg(delayMs).arg(kCommands[done - 1])
                    .arg(found == expected(done) ? QStringLiteral("its state") : QStringLiteral("other state"));
        const bool mid = killLine == QLatin1String("MID entry");
        // Order entry on "Masa 5" never commits: after the last command nothing may change.
        const bool nextMayBeThere = done < kCommands.size() && !mid;
        if (nextMayBeThere && found == expected(done + 1)) {
            seen.last() = QStringLiteral("%1 ms: %2 reported, the next command committed too")
                              .arg(delayMs)
                              .arg(kCommands[done - 1]);
            continue;
        }
        EXPECT_EQ(found, expected(done)) << "last reported: " << kCommands[done - 1].toStdString()
                                         << (nextMayBeThere ? " (the next command whole is also fine)" : "")
                                         << "\nchild output:\n"
                                         << output.toStdString();
    }
    std::cout << "[ killed   ] " << seen.join(QStringLiteral("; ")).toStdString() << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Points, CrashSafety,
                         ::testing::Values(KillPoint{"DONE pick-saved", "AfterOrderSaved"},
                                           KillPoint{"DONE discount", "AfterDiscount"},
                                           KillPoint{"DONE move", "AfterTableMove"},
                                           KillPoint{"DONE cash", "AfterCashPayment"},
                                           KillPoint{"DONE cancel", "AfterCancellation"},
                                           KillPoint{"DONE table-added", "AfterTableAdded"},
                                           KillPoint{"DONE product-saved", "AfterProductSaved"},
                                           KillPoint{"MID entry", "InTheMiddleOfOrderEntry"}),
                         [](const ::testing::TestParamInfo<KillPoint>& info) { return info.param.name; });

}  // namespace
