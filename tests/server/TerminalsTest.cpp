// Two terminals of the cafe on one server, each with the program's own data
// module, doing the same things at the same moment.

#include "SharedServer.h"
#include "Terminal.h"

#include "support/TestDatabase.h"

#include "platform/db/Error.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <iostream>
#include <optional>

using testsupport::queryValue;

namespace {

// The demo cafe's tables 1 to 20 are free and have no bills.
constexpr int kTable = 3;
constexpr int kFreeTable = 7;

class TwoTerminals : public OnServer {
protected:
    QVariant value(const QString& sql) { return queryValue(databaseName, sql); }
    QVariant billValue(int bill, const char* column)
    {
        return value(
            QStringLiteral("select %1 from ADISYON where ADISYON_ID = %2").arg(QLatin1String(column)).arg(bill));
    }
    int tableState(int masaId)
    {
        return value(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(masaId)).toInt();
    }
    // A bill with these products, opened and saved on a terminal of its own.
    void openBill(int masaId, std::initializer_list<int> products)
    {
        Terminal waiter(databaseName);
        waiter.openPanel();
        waiter.openBill(masaId, products);
    }
};

void printError(const char* what, const db::Error& e, qint64 ms)
{
    std::cout << "[ figures  ] " << what << " after " << ms << " ms: gds " << e.gdsCode() << ", SQLSTATE "
              << e.sqlState().toStdString() << ", SQLCODE " << e.sqlCode() << ", \""
              << e.message().toStdString() << "\"\n";
}

}  // namespace

TEST_F(TwoTerminals, ABillCollectedOnBothAtOnceIsClosedOnceByTheFirst)
{
    openBill(kTable, {1, 2, 5});
    Terminal first(databaseName), second(databaseName);
    first.openPanel();
    second.openPanel();
    ASSERT_TRUE(first.selectTable(kTable));
    ASSERT_TRUE(second.selectTable(kTable));
    ASSERT_TRUE(first.hasOpenBill());
    ASSERT_TRUE(second.hasOpenBill());
    const int bill = first.openBillId();
    const double due = first.amountDue();
    ASSERT_GT(due, 0);
    ASSERT_EQ(second.amountDue(), due);

    std::optional<db::Error> conflict;
    qint64 failedAfterMs = -1;
    // The first terminal has stored the bill row and not yet the table row
    // when the second one collects the same bill by card.
    first.collect(1, [&] {
        QElapsedTimer clock;
        clock.start();
        try {
            second.collect(2);
        } catch (const db::Error& e) {
            conflict = e;
        }
        failedAfterMs = clock.elapsed();
        // Nothing half-done on the second terminal: its table is not freed,
        // its bill reads open again, no row is left in editing.
        EXPECT_EQ(second.currentTable(), kTable);
        EXPECT_EQ(second.currentTableState(), 2);
        EXPECT_TRUE(second.hasOpenBill());
        EXPECT_EQ(second.openBillId(), bill);
        EXPECT_TRUE(second.dm().Q_Adisyon->fieldByName(QStringLiteral("TAHSILAT_ID"))->isNull());
        EXPECT_FALSE(second.dm().Q_Masa->isEditing());
        EXPECT_FALSE(second.dm().Q_Adisyon->isEditing());
        EXPECT_EQ(second.dm().IBTransaction1->savepointsInUse(), 0);
    });

    ASSERT_TRUE(conflict.has_value()) << "the second terminal collected a bill the first was collecting";
    printError("second collection refused", *conflict, failedAfterMs);
    EXPECT_TRUE(conflict->isLockConflict());
    EXPECT_EQ(conflict->gdsCode(), 335544336L);  // deadlock
    EXPECT_EQ(conflict->sqlState(), QStringLiteral("40001"));
    EXPECT_TRUE(conflict->message().contains(QStringLiteral("update conflicts with concurrent update")))
        << conflict->message().toStdString();
    // Under nowait the conflict is reported at once; this bound only tells
    // a refusal from a wait for the other terminal.
    EXPECT_LT(failedAfterMs, 5000);

    // A later commit on the second terminal brings none of its attempt back.
    second.dm().IBTransaction1->commitRetaining();

    EXPECT_FALSE(first.hasOpenBill());
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where MASA_ID = %1").arg(kTable)).toInt(), 1);
    EXPECT_EQ(billValue(bill, "ACIK_KAPALI").toInt(), 1);
    EXPECT_EQ(billValue(bill, "IPTAL_ID").toInt(), 1);
    EXPECT_EQ(billValue(bill, "TAHSILAT_ID").toInt(), 1);
    EXPECT_DOUBLE_EQ(billValue(bill, "ARA_TUTAR").toDouble(), due);
    EXPECT_DOUBLE_EQ(billValue(bill, "K_TUTAR").toDouble(), due);
    EXPECT_DOUBLE_EQ(billValue(bill, "B_TUTAR").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(billValue(bill, "TUTAR").toDouble(),
                     value(QStringLiteral("select sum(TUTAR) from STOK_HAREKET where ADISYON_ID = %1").arg(bill))
                         .toDouble());
    EXPECT_DOUBLE_EQ(due, value(QStringLiteral("select sum(ARA_TUTAR) from STOK_HAREKET where ADISYON_ID = %1 "
                                               "and IPTAL_ID = 1")
                                    .arg(bill))
                              .toDouble());
    EXPECT_EQ(tableState(kTable), 1);

    // Read again, the second terminal shows the table free.
    second.dm().Q_Masa->refresh();
    EXPECT_EQ(second.currentTable(), kTable);
    EXPECT_EQ(second.currentTableState(), 1);
    EXPECT_FALSE(second.hasOpenBill());
}

TEST_F(TwoTerminals, ACollectionThatMeetsAMoveHalfWayUndoesItsBillRowAndTheMoveFinishes)
{
    openBill(kTable, {1, 2});
    Terminal mover(databaseName), cashier(databaseName);
    mover.openPanel();
    cashier.openPanel();
    ASSERT_TRUE(mover.selectTable(kTable));
    ASSERT_TRUE(cashier.selectTable(kTable));
    const int bill = mover.openBillId();
    const double due = mover.amountDue();

    std::optional<db::Error> conflict;
    qint64 failedAfterMs = -1;
    // The mover has stored the old table free and not yet touched the bill:
    // the cashier's bill row goes through, its table row meets the mover's.
    mover.moveBill(kFreeTable, [&] {
        QElapsedTimer clock;
        clock.start();
        try {
            cashier.collect(1);
        } catch (const db::Error& e) {
            conflict = e;
        }
        failedAfterMs = clock.elapsed();
        EXPECT_TRUE(cashier.hasOpenBill());
        EXPECT_EQ(cashier.openBillId(), bill);
        EXPECT_EQ(cashier.currentTableState(), 2);
    });

    ASSERT_TRUE(conflict.has_value()) << "the collection went through a table row the mover holds";
    printError("collection refused at the table row", *conflict, failedAfterMs);
    EXPECT_TRUE(conflict->isLockConflict());
    EXPECT_LT(failedAfterMs, 5000);
    cashier.dm().IBTransaction1->commitRetaining();

    // The bill was moved, not collected.
    EXPECT_EQ(billValue(bill, "MASA_ID").toInt(), kFreeTable);
    EXPECT_EQ(billValue(bill, "ACIK_KAPALI").toInt(), 2);
    EXPECT_TRUE(billValue(bill, "TAHSILAT_ID").isNull());
    EXPECT_TRUE(billValue(bill, "KAPANIS_TARIHI").isNull());
    EXPECT_EQ(tableState(kTable), 1);
    EXPECT_EQ(tableState(kFreeTable), 2);

    EXPECT_EQ(mover.currentTable(), kFreeTable);
    EXPECT_TRUE(mover.hasOpenBill());
    cashier.dm().Q_Masa->refresh();
    EXPECT_EQ(cashier.currentTableState(), 1);
    EXPECT_FALSE(cashier.hasOpenBill());
    ASSERT_TRUE(cashier.selectTable(kFreeTable));
    EXPECT_EQ(cashier.openBillId(), bill);
    EXPECT_DOUBLE_EQ(cashier.amountDue(), due);
}

TEST_F(TwoTerminals, ALineAddedWhileTheBillMovesLandsOnTheBill)
{
    openBill(kTable, {1, 2});
    Terminal mover(databaseName), waiter(databaseName);
    mover.openPanel();
    waiter.openPanel();
    ASSERT_TRUE(mover.selectTable(kTable));
    ASSERT_TRUE(waiter.selectTable(kTable));
    const int bill = mover.openBillId();

    // One line while the move is stored but not committed, one after it:
    // the waiter still sees the bill on its old table.
    mover.moveBill(kFreeTable, {}, [&] { waiter.addLine(3); });
    waiter.addLine(4);
    waiter.commitOrder();

    EXPECT_EQ(billValue(bill, "MASA_ID").toInt(), kFreeTable);
    EXPECT_EQ(billValue(bill, "ACIK_KAPALI").toInt(), 2);
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 4);
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1 and IPTAL_ID = 1")
                        .arg(bill))
                  .toInt(),
              4);
    const double prices = value(QStringLiteral("select sum(FIYAT) from STOK where STOK_ID in (1, 2, 3, 4)")).toDouble();
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select sum(ARA_TUTAR) from STOK_HAREKET where ADISYON_ID = %1").arg(bill))
                         .toDouble(),
                     prices);
    EXPECT_EQ(waiter.dm().Q_AH->recordCount(), 4);
    EXPECT_DOUBLE_EQ(waiter.amountDue(), prices);

    // The mover, reading again, has the bill with every line on the new table.
    mover.dm().Q_Masa->refresh();
    EXPECT_EQ(mover.currentTable(), kFreeTable);
    EXPECT_EQ(mover.openBillId(), bill);
    EXPECT_EQ(mover.dm().Q_AH->recordCount(), 4);
    EXPECT_DOUBLE_EQ(mover.amountDue(), prices);
    EXPECT_EQ(tableState(kTable), 1);
    EXPECT_EQ(tableState(kFreeTable), 2);
}

TEST_F(TwoTerminals, ATableDeletedElsewhereIsGoneWhenReadAgain)
{
    constexpr int kDoomed = 5;
    Terminal manager(databaseName), waiter(databaseName);
    waiter.openPanel();
    const int tables = waiter.dm().Q_Masa->recordCount();
    manager.dm().Q_Masa->open();
    manager.deleteTable(kDoomed);
    EXPECT_EQ(value(QStringLiteral("select count(*) from MASA where MASA_ID = %1").arg(kDoomed)).toInt(), 0);

    // The waiter's panel was built before the delete: its button is still
    // there and a click shows the table with no bill.
    ASSERT_TRUE(waiter.selectTable(kDoomed));
    EXPECT_TRUE(waiter.dm().Q_Adisyon->active());
    EXPECT_FALSE(waiter.hasOpenBill());

    waiter.dm().Q_Masa->refresh();
    EXPECT_EQ(waiter.dm().Q_Masa->recordCount(), tables - 1);
    EXPECT_FALSE(waiter.selectTable(kDoomed));
    EXPECT_NE(waiter.currentTable(), kDoomed);
    EXPECT_TRUE(waiter.dm().Q_Adisyon->active());
    EXPECT_FALSE(waiter.hasOpenBill());
}

// An update that finds no row is refused, so no bill stays behind, open, on
// a table that no longer exists.
TEST_F(TwoTerminals, ABillStartedOnATableDeletedElsewhereIsRefused)
{
    constexpr int kDoomed = 5;
    Terminal manager(databaseName), waiter(databaseName);
    waiter.openPanel();
    ASSERT_TRUE(waiter.selectTable(kDoomed));
    manager.dm().Q_Masa->open();
    manager.deleteTable(kDoomed);

    EXPECT_THROW(waiter.openBill(kDoomed, {1}), db::Error);
    waiter.dm().IBTransaction1->commitRetaining();
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where MASA_ID = %1").arg(kDoomed)).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("select count(*) from MASA where MASA_ID = %1").arg(kDoomed)).toInt(), 0);
}

// A post writes back only the columns it changed, so a name given on another
// terminal is not lost to a collection made on an older copy of the row.
TEST_F(TwoTerminals, ANameGivenOnOneTerminalSurvivesACollectionOnTheOther)
{
    openBill(kTable, {1});
    Terminal manager(databaseName), cashier(databaseName);
    cashier.openPanel();
    ASSERT_TRUE(cashier.selectTable(kTable));
    manager.dm().Q_Masa->open();
    ASSERT_TRUE(manager.selectTable(kTable));
    manager.dm().Q_Masa->edit();
    manager.dm().Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Teras 1"));
    manager.dm().Q_Masa->post();
    manager.commitOrder();

    cashier.collect(1);
    EXPECT_EQ(tableState(kTable), 1);
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = %1").arg(kTable)).toString(),
              QStringLiteral("Teras 1"));
}
