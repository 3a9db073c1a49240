#include "support/TestDatabase.h"

#include "platform/db/Error.h"
#include "platform/db/Statement.h"

#include <gtest/gtest.h>

using testsupport::execSql;
using testsupport::freshDatabase;
using testsupport::queryValue;

namespace {

class SchemaRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = freshDatabase();
        execSql(path, QStringLiteral("insert into GRUP (GRUP_ID, GRUP_ADI, SIRA_NO) values (1, 'İçecek', 1)"));
        execSql(path, QStringLiteral("insert into STOK (STOK_ID, GRUP_ID, GRUP_ADI, STOK_ADI, BIRIM, FIYAT, STOK_KODU, "
                                     "ACIKLAMA, SIRA_NO) values (1, NULL, 'İçecek', 'Çay', 'Bardak', 60, 'STK1', "
                                     "NULL, 1)"));
        execSql(path, QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, "
                                     "KAPANIS_TARIHI, TAHSILAT_ID, TUTAR, K_TUTAR, B_TUTAR, ACIKLAMA, IPTAL_ID, "
                                     "ISKONTO, ARA_TUTAR, FIS_NO) values (10, 1, NULL, NULL, NULL, NULL, NULL, NULL, "
                                     "NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
        addLine(100);
    }

    void addLine(int sn)
    {
        execSql(path, QStringLiteral("insert into STOK_HAREKET (SN, STOK_ID, STOK_KODU, STOK_ADI, GRUP_ID, TARIH, "
                                     "IPTAL_ID, GIREN, CIKAN, FIYAT, TUTAR, ISKONTO, ISKONTO_TUTAR, ARA_TUTAR, "
                                     "ADISYON_ID, BIRIM, GC_ID) values (%1, 1, NULL, NULL, NULL, NULL, NULL, NULL, "
                                     "NULL, NULL, NULL, NULL, NULL, NULL, 10, NULL, 2)")
                          .arg(sn));
    }

    QVariant value(const QString& sql) { return queryValue(path, sql); }

    QString path;
};

TEST_F(SchemaRules, InsertNamingEveryColumnWithNullsGetsTheDefaults)
{
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI || '/' || IPTAL_ID || '/' || TURU_ID || '/' || FIS_NO "
                                   "from ADISYON")).toString(),
              QStringLiteral("2/1/1/10"));
    EXPECT_FALSE(value(QStringLiteral("select TARIH from ADISYON")).isNull());
    execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values (1, 'M', NULL, NULL)"));
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from MASA")).toInt(), 1);
}

TEST_F(SchemaRules, NewLineCopiesTheProductAndComputesItsAmounts)
{
    EXPECT_EQ(value(QStringLiteral("select STOK_KODU || '/' || STOK_ADI || '/' || GRUP_ID || '/' || BIRIM || '/' || "
                                   "IPTAL_ID || '/' || cast(CIKAN as integer) from STOK_HAREKET")).toString(),
              QStringLiteral("STK1/Çay/1/Bardak/1/1"));
    EXPECT_EQ(value(QStringLiteral("select TUTAR from STOK_HAREKET")).toDouble(), 60.0);
    EXPECT_FALSE(value(QStringLiteral("select TARIH from STOK_HAREKET")).isNull());
}

TEST_F(SchemaRules, AmountsFollowQuantityAndTheDiscountStatement)
{
    execSql(path, QStringLiteral("update STOK_HAREKET set CIKAN = 2.5 where SN = 100"));
    EXPECT_EQ(value(QStringLiteral("select TUTAR from STOK_HAREKET")).toDouble(), 150.0);
    execSql(path, QStringLiteral("UPDATE STOK_HAREKET SET ISKONTO = 10 WHERE ADISYON_ID = 10 AND IPTAL_ID = 1 "));
    EXPECT_EQ(value(QStringLiteral("select ISKONTO_TUTAR from STOK_HAREKET")).toDouble(), 15.0);
    EXPECT_EQ(value(QStringLiteral("select ARA_TUTAR from STOK_HAREKET")).toDouble(), 135.0);
}

TEST_F(SchemaRules, CancelledLineKeepsItsRowAndItsOldDiscount)
{
    addLine(101);
    execSql(path, QStringLiteral("update STOK_HAREKET set IPTAL_ID = 2 where SN = 101"));
    execSql(path, QStringLiteral("UPDATE STOK_HAREKET SET ISKONTO = 10 WHERE ADISYON_ID = 10 AND IPTAL_ID = 1 "));
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 2);
    EXPECT_EQ(value(QStringLiteral("select coalesce(ISKONTO, 0) from STOK_HAREKET where SN = 101")).toDouble(), 0.0);
    EXPECT_EQ(value(QStringLiteral("select sum(ARA_TUTAR) from STOK_HAREKET where IPTAL_ID = 1")).toDouble(), 54.0);
}

TEST_F(SchemaRules, ProductGroupFollowsItsNameAndLeavesWithTheGroup)
{
    execSql(path, QStringLiteral("insert into GRUP (GRUP_ID, GRUP_ADI, SIRA_NO) values (2, 'Tatlı', 2)"));
    execSql(path, QStringLiteral("update STOK set GRUP_ADI = 'Tatlı' where STOK_ID = 1"));
    EXPECT_EQ(value(QStringLiteral("select GRUP_ID from STOK")).toInt(), 2);
    execSql(path, QStringLiteral("delete from GRUP where GRUP_ID = 2"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK")).toInt(), 0);
    // The bill keeps its line.
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 1);
}

TEST_F(SchemaRules, DeletedBillTakesItsLinesAlong)
{
    execSql(path, QStringLiteral("delete from ADISYON where ADISYON_ID = 10"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 0);
}

TEST_F(SchemaRules, SettingsTableHoldsExactlyOneRow)
{
    EXPECT_THROW(execSql(path, QStringLiteral("insert into AYARLAR (MASA_H) values (1)")), db::Error);
    EXPECT_THROW(execSql(path, QStringLiteral("delete from AYARLAR")), db::Error);
    EXPECT_EQ(value(QStringLiteral("select count(*) from AYARLAR")).toInt(), 1);
}

TEST_F(SchemaRules, ViewShowsEveryBillWithItsPaymentText)
{
    execSql(path, QStringLiteral("update ADISYON set TAHSILAT_ID = 3"));
    EXPECT_EQ(value(QStringLiteral("select TAHSILAT from W_ADISYON")).toString(), QStringLiteral("KARMA"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from W_ADISYON")).toInt(), 1);
}

TEST_F(SchemaRules, GeneratorsNeverHandOutADeletedKeyAgain)
{
    const qint64 a = value(QStringLiteral("select gen_id(BIRIM_SN_GEN, 1) from rdb$database")).toLongLong();
    execSql(path, QStringLiteral("insert into BIRIM (SN, BIRIM) values (%1, 'Adet')").arg(a));
    execSql(path, QStringLiteral("delete from BIRIM"));
    EXPECT_EQ(value(QStringLiteral("select gen_id(BIRIM_SN_GEN, 1) from rdb$database")).toLongLong(), a + 1);
}

}  // namespace
