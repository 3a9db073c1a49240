#include "support/TestDatabase.h"

#include "platform/db/AtomicUnit.h"
#include "platform/db/DataSource.h"
#include "platform/db/EditableQuery.h"
#include "platform/db/Error.h"

#include <gtest/gtest.h>

using testsupport::execSql;
using testsupport::freshDatabase;
using testsupport::queryValue;
using testsupport::Session;

namespace {

// The bill chain of the program on a demo database: tables, the open bill of
// the current table, its live lines and their sums.
class BillChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = freshDatabase(true);
        session = std::make_unique<Session>(path);
        auto& t = *session->transaction;
        masa = std::make_unique<db::EditableQuery>(t);
        masa->setObjectName(QStringLiteral("Q_Masa"));
        masa->setSql(QStringLiteral("select * from masa order by masa_id"));
        masa->setTableName(QStringLiteral("MASA"));
        masa->setKeyField(QStringLiteral("MASA_ID"));
        masa->setGeneratorName(QStringLiteral("MASA_MASA_ID_GEN"));
        dsMasa = std::make_unique<db::DataSource>(masa.get());

        adisyon = std::make_unique<db::EditableQuery>(t);
        adisyon->setObjectName(QStringLiteral("Q_Adisyon"));
        adisyon->setSql(QStringLiteral("SELECT * FROM  ADISYON WHERE MASA_ID = :MASA_ID AND IPTAL_ID = 1 AND "
                                       "TURU_ID = 1 AND ACIK_KAPALI = 2"));
        adisyon->setTableName(QStringLiteral("ADISYON"));
        adisyon->setKeyField(QStringLiteral("ADISYON_ID"));
        adisyon->setGeneratorName(QStringLiteral("ADISYON_ADISYON_ID_GEN"));
        adisyon->setMasterSource(dsMasa.get());
        dsAdisyon = std::make_unique<db::DataSource>(adisyon.get());

        lines = std::make_unique<db::EditableQuery>(t);
        lines->setObjectName(QStringLiteral("Q_AH"));
        lines->setSql(QStringLiteral("select * from STOK_HAREKET WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1"));
        lines->setTableName(QStringLiteral("STOK_HAREKET"));
        lines->setKeyField(QStringLiteral("SN"));
        lines->setGeneratorName(QStringLiteral("STOK_HAREKET_SN_GEN"));
        lines->setMasterSource(dsAdisyon.get());
        lines->beforePost = [this](db::Dataset& d) {
            d.fieldByName(QStringLiteral("ADISYON_ID"))
                ->setAsInteger(adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger());
        };
        dsLines = std::make_unique<db::DataSource>(lines.get());

        sums = std::make_unique<db::Dataset>(t);
        sums->setSql(QStringLiteral("SELECT SUM(TUTAR) AS T_TUTAR, SUM(ISKONTO_TUTAR) AS T_ISK, SUM(ARA_TUTAR) AS "
                                    "T_ARA_TUTAR from STOK_HAREKET WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1"));
        sums->setMasterSource(dsLines.get());

        masa->open();
        adisyon->open();
        lines->open();
        sums->open();
    }

    void openBill(int masaId)
    {
        ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), masaId));
        adisyon->insert();
        adisyon->fieldByName(QStringLiteral("MASA_ID"))->setAsInteger(masaId);
        adisyon->post();
    }

    void addLine(int stokId)
    {
        lines->insert();
        lines->fieldByName(QStringLiteral("STOK_ID"))->setAsInteger(stokId);
        lines->fieldByName(QStringLiteral("GC_ID"))->setAsInteger(2);
        lines->post();
    }

    double due() { return sums->fieldByName(QStringLiteral("T_ARA_TUTAR"))->asFloat(); }
    double price(int stokId)
    {
        return queryValue(path, QStringLiteral("select FIYAT from STOK where STOK_ID = %1").arg(stokId)).toDouble();
    }

    QString path;
    std::unique_ptr<Session> session;
    std::unique_ptr<db::EditableQuery> masa, adisyon, lines;
    std::unique_ptr<db::Dataset> sums;
    std::unique_ptr<db::DataSource> dsMasa, dsAdisyon, dsLines;
};

TEST_F(BillChain, WriteStatementsFollowTheOneRule)
{
    EXPECT_EQ(masa->insertSql(), QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                                "(:MASA_ID, :MASA_ADI, :TUTAR, :ACIK_KAPALI)"));
    EXPECT_EQ(masa->modifySql(), QStringLiteral("update MASA set MASA_ID = :MASA_ID, MASA_ADI = :MASA_ADI, TUTAR = "
                                                ":TUTAR, ACIK_KAPALI = :ACIK_KAPALI where MASA_ID = :OLD_MASA_ID"));
    EXPECT_EQ(masa->deleteSql(), QStringLiteral("delete from MASA where MASA_ID = :OLD_MASA_ID"));
    EXPECT_EQ(masa->refreshSql(),
              QStringLiteral("Select MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI from MASA where MASA_ID = :MASA_ID"));
}

TEST_F(BillChain, NewBillGetsItsKeyAtPostAndTheDatabaseDefaultsAtOnce)
{
    const qint64 genBefore = queryValue(path, QStringLiteral("select gen_id(ADISYON_ADISYON_ID_GEN, 0) from "
                                                             "rdb$database")).toLongLong();
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    adisyon->insert();
    // Starting a row draws no key; cancelling it leaves the generator alone.
    adisyon->cancel();
    EXPECT_EQ(queryValue(path, QStringLiteral("select gen_id(ADISYON_ADISYON_ID_GEN, 0) from rdb$database"))
                  .toLongLong(), genBefore);
    openBill(3);
    EXPECT_EQ(adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger(), genBefore + 1);
    // Read again after post: the database's defaults are visible.
    EXPECT_EQ(adisyon->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 2);
    EXPECT_EQ(adisyon->fieldByName(QStringLiteral("IPTAL_ID"))->asInteger(), 1);
    EXPECT_EQ(adisyon->fieldByName(QStringLiteral("FIS_NO"))->asString(), QString::number(genBefore + 1));
}

TEST_F(BillChain, PostedLineShowsCopiedProductDataAndTheSumsFollow)
{
    openBill(3);
    addLine(1);
    EXPECT_EQ(lines->fieldByName(QStringLiteral("CIKAN"))->asFloat(), 1.0);
    EXPECT_FALSE(lines->fieldByName(QStringLiteral("STOK_ADI"))->asString().isEmpty());
    EXPECT_EQ(lines->fieldByName(QStringLiteral("TUTAR"))->asFloat(), price(1));
    addLine(2);
    EXPECT_EQ(lines->recordCount(), 2);
    EXPECT_DOUBLE_EQ(due(), price(1) + price(2));
    // A quantity change: amounts recomputed by the database, sums follow.
    lines->edit();
    lines->fieldByName(QStringLiteral("CIKAN"))->setAsFloat(3);
    lines->post();
    EXPECT_DOUBLE_EQ(lines->fieldByName(QStringLiteral("ARA_TUTAR"))->asFloat(), 3 * price(2));
}

TEST_F(BillChain, DetailsFollowTheCurrentTable)
{
    openBill(3);
    addLine(1);
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 4));
    EXPECT_TRUE(adisyon->isEmpty());
    EXPECT_TRUE(lines->isEmpty());
    EXPECT_TRUE(sums->fieldByName(QStringLiteral("T_ARA_TUTAR"))->isNull());
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    EXPECT_EQ(lines->recordCount(), 1);
    EXPECT_DOUBLE_EQ(due(), price(1));
}

TEST_F(BillChain, PuttingTheTableIntoEditStoresTheTypedNoteFirst)
{
    openBill(3);
    adisyon->edit();
    adisyon->fieldByName(QStringLiteral("ACIKLAMA"))->setAsString(QStringLiteral("Şekersiz"));
    masa->edit();
    EXPECT_EQ(adisyon->state(), db::DatasetState::Browse);
    masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    masa->post();
    session->transaction->commitRetaining();
    EXPECT_EQ(queryValue(path, QStringLiteral("select ACIKLAMA from ADISYON")).toString(), QStringLiteral("Şekersiz"));
}

TEST_F(BillChain, UnchangedPendingRowIsDroppedWhenTheMasterMoves)
{
    openBill(3);
    lines->insert();
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 4));
    EXPECT_EQ(queryValue(path, QStringLiteral("select count(*) from STOK_HAREKET")).toLongLong(), 0);
}

TEST_F(BillChain, EditOnAnEmptyDatasetStartsANewRow)
{
    int inserts = 0;
    adisyon->afterInsert = [&](db::Dataset&) { ++inserts; };
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 5));
    ASSERT_TRUE(adisyon->isEmpty());
    adisyon->edit();
    EXPECT_EQ(adisyon->state(), db::DatasetState::Insert);
    EXPECT_EQ(inserts, 1);
}

TEST_F(BillChain, EditOfARowAlreadyInEditRunsNoHandlerTwice)
{
    openBill(3);
    addLine(1);
    int edits = 0;
    lines->afterEdit = [&](db::Dataset&) { ++edits; };
    lines->edit();
    lines->edit();
    EXPECT_EQ(edits, 1);
}

TEST_F(BillChain, RowWithAKeyAlreadyKeepsItAndDrawsNoGeneratorValue)
{
    const qint64 gen =
        queryValue(path, QStringLiteral("select gen_id(MASA_MASA_ID_GEN, 0) from rdb$database")).toLongLong();
    masa->append();
    masa->fieldByName(QStringLiteral("MASA_ID"))->setAsInteger(500);
    masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Teras"));
    masa->post();
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 500);
    EXPECT_EQ(masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 1);
    EXPECT_EQ(queryValue(path, QStringLiteral("select gen_id(MASA_MASA_ID_GEN, 0) from rdb$database")).toLongLong(),
              gen);
}

TEST_F(BillChain, LocateIsExactAndKeepsTheRowOnAMiss)
{
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), QStringLiteral("4")));
    const QString name = masa->fieldByName(QStringLiteral("MASA_ADI"))->asString();
    EXPECT_FALSE(masa->locate(QStringLiteral("MASA_ADI"), name.toLower()));
    EXPECT_FALSE(masa->locate(QStringLiteral("MASA_ID"), 999));
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 4);
}

TEST_F(BillChain, ClosingTheBillLeavesTheSumsWithTheirLastResult)
{
    openBill(3);
    addLine(1);
    adisyon->afterClose = [this](db::Dataset&) { lines->close(); };
    adisyon->close();
    EXPECT_FALSE(lines->active());
    EXPECT_TRUE(sums->active());
    EXPECT_DOUBLE_EQ(due(), price(1));
}

TEST_F(BillChain, FailedPostKeepsTheRowInEditWithItsValues)
{
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    Session other(path);
    db::Statement lock(*other.transaction);
    lock.setSql(QStringLiteral("update MASA set MASA_ADI = MASA_ADI where MASA_ID = 3"));
    lock.execute();
    masa->edit();
    masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    EXPECT_THROW(masa->post(), db::Error);
    EXPECT_EQ(masa->state(), db::DatasetState::Edit);
    EXPECT_EQ(masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 2);
}

TEST_F(BillChain, AtomicUnitThatFailsHalfWayLeavesNothingBehind)
{
    openBill(3);
    addLine(1);
    masa->edit();
    masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    masa->post();
    session->transaction->commitRetaining();
    Session other(path);
    db::Statement lock(*other.transaction);
    lock.setSql(QStringLiteral("update MASA set MASA_ADI = MASA_ADI where MASA_ID = 3"));
    lock.execute();
    try {
        db::AtomicUnit unit(*session->transaction, {masa.get(), adisyon.get()});
        adisyon->edit();
        adisyon->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(1);
        adisyon->post();
        masa->edit();
        masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(1);
        masa->post();  // the other terminal holds the table's row
        unit.commit();
        FAIL() << "no lock conflict";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.isLockConflict());
    }
    other.transaction->commit();
    session->transaction->commitRetaining();
    // The bill is still open, re-read and shown as such.
    EXPECT_EQ(queryValue(path, QStringLiteral("select ACIK_KAPALI from ADISYON")).toInt(), 2);
    EXPECT_EQ(masa->state(), db::DatasetState::Browse);
    EXPECT_EQ(adisyon->recordCount(), 1);
    EXPECT_EQ(adisyon->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 2);
}

TEST_F(BillChain, PostSendsOnlyTheColumnsItChanged)
{
    // Another terminal renames the table after this one read it.
    execSql(path, QStringLiteral("update MASA set MASA_ADI = 'Pencere' where MASA_ID = 3"));
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    masa->edit();
    masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    masa->post();
    session->transaction->commitRetaining();
    EXPECT_EQ(queryValue(path, QStringLiteral("select MASA_ADI || '/' || ACIK_KAPALI from MASA where MASA_ID = 3"))
                  .toString(),
              QStringLiteral("Pencere/2"));
    // The re-read row shows the other terminal's name too.
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("Pencere"));
}

TEST_F(BillChain, PostToARowDeletedElsewhereIsRefused)
{
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    execSql(path, QStringLiteral("delete from MASA where MASA_ID = 3"));
    masa->edit();
    masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    try {
        masa->post();
        FAIL() << "a vanished row took the change";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("MASA tablosundaki bu kayıt başka bir kullanıcı tarafından silinmiş; "
                                              "değişiklik kaydedilmedi."));
    }
    EXPECT_EQ(masa->state(), db::DatasetState::Edit);
}

TEST_F(BillChain, SettingsRowWithoutAKeyIsAddressedByItsRowAddress)
{
    db::TableDataset ayarlar(*session->transaction);
    ayarlar.setTableName(QStringLiteral("AYARLAR"));
    ayarlar.open();
    ASSERT_EQ(ayarlar.recordCount(), 1);
    EXPECT_FALSE(ayarlar.fieldByName(QStringLiteral("DB_KEY"))->visible());
    ayarlar.edit();
    ayarlar.fieldByName(QStringLiteral("STOK_GRUPLA"))->setAsString(QStringLiteral("True"));
    ayarlar.post();
    session->transaction->commitRetaining();
    EXPECT_EQ(queryValue(path, QStringLiteral("select STOK_GRUPLA from AYARLAR")).toString(), QStringLiteral("True"));
}

TEST_F(BillChain, LettersIntoANumericFieldLeaveTheValueUntouched)
{
    ASSERT_TRUE(masa->locate(QStringLiteral("MASA_ID"), 3));
    masa->edit();
    EXPECT_THROW(masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsString(QStringLiteral("iki")),
                 db::ConversionError);
    EXPECT_EQ(masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 1);
    EXPECT_FALSE(masa->modified());
}

}  // namespace
