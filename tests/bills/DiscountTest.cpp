#include "BillsFixture.h"

#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataLabel.h"

#include <QAction>

using namespace billstest;

namespace {

const QString kPercentCaption = QStringLiteral("Yüzde İskonto");
const QString kPercentPrompt = QStringLiteral("% : ");
const QString kAmountCaption = QStringLiteral("Tutar:");
const QString kAmountPrompt = QStringLiteral("Tutar : ");

class Discount : public BillsFixture {
protected:
    void open(int masaId)
    {
        openPanel();
        selectTable(masaId);
    }
    void percent(const QString& typed)
    {
        dialogs.expectInput(kPercentCaption, kPercentPrompt, {}, typed);
        panel->Yzde1->trigger();
    }
    void amount(const QString& typed)
    {
        dialogs.expectInput(kAmountCaption, kAmountPrompt, {}, typed);
        panel->utar1->trigger();
    }
    // Committed values: another connection sees them at once.
    QVariant lineDiscount(int sn) const
    {
        return value(QStringLiteral("select ISKONTO from STOK_HAREKET where SN = %1").arg(sn));
    }
    QList<int> lines(int bill) const
    {
        QList<int> sns;
        db::Statement st(*dm->IBTransaction1);
        st.setSql(QStringLiteral("select SN from STOK_HAREKET where ADISYON_ID = %1 order by SN").arg(bill));
        for (const auto& row : st.fetchAll())
            sns << row.value(0).toInt();
        return sns;
    }
    double netShown() const { return dm->qrySum->fieldByName(QStringLiteral("T_ARA_TUTAR"))->asFloat(); }
    double discountShown() const { return dm->qrySum->fieldByName(QStringLiteral("T_ISK"))->asFloat(); }
};

TEST_F(Discount, PercentageGoesToEveryLiveLineOnly)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur}, {kSu, 5}});
    const QList<int> sn = lines(bill);
    exec(QStringLiteral("update STOK_HAREKET set IPTAL_ID = 2 where SN = %1").arg(sn[2]));
    open(3);
    percent(QStringLiteral("10"));
    EXPECT_EQ(lineDiscount(sn[0]).toDouble(), 10);
    EXPECT_EQ(lineDiscount(sn[1]).toDouble(), 10);
    EXPECT_EQ(lineDiscount(sn[2]).toDouble(), 5);
    EXPECT_EQ(netShown(), 90);
    EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("90,00TL"));
}

TEST_F(Discount, PercentageWithADecimalComma)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur}});
    open(3);
    percent(QStringLiteral("12,5"));
    for (int sn : lines(bill))
        EXPECT_EQ(lineDiscount(sn).toDouble(), 12.5);
    EXPECT_EQ(netShown(), 87.5);
}

TEST_F(Discount, PercentageZeroRemovesAnEarlierDiscount)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}});
    open(3);
    percent(QStringLiteral("0"));
    for (int sn : lines(bill))
        EXPECT_EQ(lineDiscount(sn).toDouble(), 0);
    EXPECT_EQ(netShown(), 100);
}

TEST_F(Discount, AmountOnABillWithoutDiscountBecomesItsShareOfTheSum)
{
    // 60 + 40 + 100 = 200; 30 of 200 is 15 %.
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur}, {kMercimek}});
    open(3);
    amount(QStringLiteral("30"));
    for (int sn : lines(bill))
        EXPECT_DOUBLE_EQ(lineDiscount(sn).toDouble(), 15);
    EXPECT_DOUBLE_EQ(discountShown(), 30);
    EXPECT_DOUBLE_EQ(netShown(), 170);
}

TEST_F(Discount, AmountOnADiscountedBillTakesExactlyThatAmountOff)
{
    // Gross 100, net 90 after 10 %. The amount 18 replaces the earlier
    // discount: 18 % of the gross, so the bill's discount is 18, not 20.
    const int bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}});
    open(3);
    ASSERT_EQ(netShown(), 90);
    amount(QStringLiteral("18"));
    for (int sn : lines(bill))
        EXPECT_DOUBLE_EQ(lineDiscount(sn).toDouble(), 18);
    EXPECT_DOUBLE_EQ(discountShown(), 18);
    EXPECT_DOUBLE_EQ(netShown(), 82);
}

TEST_F(Discount, NothingHappensWithoutABillOrWithoutLines)
{
    storeOpenBill(3, {{kTurkKahvesi, 10}});
    const int empty = storeOpenBill(5, {});
    open(4);
    amount(QStringLiteral("30"));
    percent(QStringLiteral("20"));
    selectTable(5);
    amount(QStringLiteral("30"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET where ISKONTO <> 10")).toInt(), 0);
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1").arg(empty)).toInt(), 0);
}

TEST_F(Discount, CancelOrTextThatIsNoNumberChangesNothingSilently)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}});
    open(3);
    percent(QString());
    amount(QString());
    percent(QStringLiteral("on"));
    amount(QStringLiteral("1,2,3"));
    for (int sn : lines(bill))
        EXPECT_EQ(lineDiscount(sn).toDouble(), 10);
    EXPECT_EQ(netShown(), 90);
}

TEST_F(Discount, ALockOnALineEndsSilentlyWithNothingChanged)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}});
    const QList<int> sn = lines(bill);
    open(3);
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update STOK_HAREKET set CIKAN = CIKAN where SN = %1").arg(sn[1]));
    hold.execute();
    percent(QStringLiteral("50"));
    EXPECT_TRUE(dialogs.lockErrors.isEmpty());
    // Not even the first line changed in the program's own transaction.
    for (int s : sn)
        EXPECT_EQ(ownValue(QStringLiteral("select ISKONTO from STOK_HAREKET where SN = %1").arg(s)).toDouble(), 10);
    EXPECT_EQ(dm->Q_AH->recordCount(), 2);
    EXPECT_EQ(netShown(), 90);
    other.transaction->rollback();
    percent(QStringLiteral("50"));
    EXPECT_EQ(lineDiscount(sn[1]).toDouble(), 50);
}

}  // namespace
