#include "support/TestDatabase.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

#include <gtest/gtest.h>

#include <QDateTime>

using testsupport::execSql;
using testsupport::freshDatabase;
using testsupport::queryValue;

namespace {

// A data module connected the way the login window connects it.
class DataModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = freshDatabase(true);
        ModifiedState = 0;
        dm = new Tdm;
        dm->IBDatabase1->setDatabaseName(path);
        dm->IBDatabase1->connect();
        dm->IBTransaction1->start();
        dm->T_Ayarlar->open();
    }
    void TearDown() override { delete dm; }

    void openPanelDatasets()
    {
        dm->Q_Masa->setSql(QStringLiteral("select * from masa order by masa_id  "));
        dm->Q_Masa->open();
        dm->Q_Adisyon->open();
    }

    QString path;
};

TEST_F(DataModule, OpeningTheBillOpensItsLinesAndSums)
{
    openPanelDatasets();
    EXPECT_TRUE(dm->Q_AH->active());
    EXPECT_TRUE(dm->qrySum->active());
    dm->Q_Adisyon->close();
    EXPECT_FALSE(dm->Q_AH->active());
    EXPECT_TRUE(dm->qrySum->active());
}

TEST_F(DataModule, NewBillRowTakesTheTimeTheTableAndMarksWorkPending)
{
    openPanelDatasets();
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 4));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    dm->Q_Adisyon->insert();
    EXPECT_EQ(ModifiedState, 2);
    EXPECT_EQ(dm->Q_Adisyon->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 4);
    EXPECT_GE(dm->Q_Adisyon->fieldByName(QStringLiteral("TARIH"))->asDateTime(), before);
}

TEST_F(DataModule, LineGetsItsBillAtPostAndTheAmountDueFollows)
{
    openPanelDatasets();
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 4));
    dm->Q_Adisyon->insert();
    dm->Q_Adisyon->post();
    ModifiedState = 0;
    dm->Q_AH->insert();
    EXPECT_EQ(ModifiedState, 2);
    dm->Q_AH->fieldByName(QStringLiteral("STOK_ID"))->setAsInteger(1);
    dm->Q_AH->fieldByName(QStringLiteral("GC_ID"))->setAsInteger(2);
    dm->Q_AH->post();
    EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger(),
              dm->Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger());
    const double price = queryValue(path, QStringLiteral("select FIYAT from STOK where STOK_ID = 1")).toDouble();
    EXPECT_DOUBLE_EQ(dm->qrySum->fieldByName(QStringLiteral("T_ARA_TUTAR"))->asFloat(), price);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QString shown = dm->qrySum->fieldByName(QStringLiteral("T_ARA_TUTAR"))->displayText();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("TL")) && shown.at(shown.size() - 5) == u',') << shown.toStdString();
    QLocale::setDefault(QLocale::c());
    ModifiedState = 0;
    dm->Q_AH->edit();
    EXPECT_EQ(ModifiedState, 2);
}

TEST_F(DataModule, BillWithoutLinesShowsNoAmountDue)
{
    openPanelDatasets();
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 4));
    EXPECT_TRUE(dm->Q_AH->isEmpty());
    EXPECT_TRUE(dm->qrySum->fieldByName(QStringLiteral("T_ARA_TUTAR"))->isNull());
    EXPECT_EQ(dm->qrySum->fieldByName(QStringLiteral("T_ARA_TUTAR"))->displayText(), QString());
}

TEST_F(DataModule, MasterDataPostsCommitAtOnce)
{
    dm->Q_Stok->open();
    EXPECT_TRUE(dm->Q_Birim->active());
    EXPECT_TRUE(dm->Q_Grup->active());
    dm->Q_Birim->append();
    EXPECT_EQ(ModifiedState, 0);
    dm->Q_Birim->fieldByName(QStringLiteral("BIRIM"))->setAsString(QStringLiteral("Dilim"));
    dm->Q_Birim->post();
    // Another connection sees it: committed.
    EXPECT_EQ(queryValue(path, QStringLiteral("select count(*) from BIRIM where BIRIM = 'Dilim'")).toInt(), 1);
    dm->Q_Stok->edit();
    EXPECT_EQ(ModifiedState, 2);
}

TEST_F(DataModule, SettingsEditMarksWorkPendingAndPostCommits)
{
    dm->T_Ayarlar->edit();
    EXPECT_EQ(ModifiedState, 2);
    dm->T_Ayarlar->fieldByName(QStringLiteral("BENI_HATIRLA"))->setAsString(QStringLiteral("True"));
    dm->T_Ayarlar->post();
    EXPECT_EQ(queryValue(path, QStringLiteral("select BENI_HATIRLA from AYARLAR")).toString(), QStringLiteral("True"));
}

TEST_F(DataModule, SavedBillsOpenWithAllTheirLines)
{
    execSql(path, QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID) values (1, 1)"));
    execSql(path, QStringLiteral("insert into STOK_HAREKET (SN, STOK_ID, ADISYON_ID, GC_ID) values (1, 1, 1, 2)"));
    execSql(path, QStringLiteral("insert into STOK_HAREKET (SN, STOK_ID, ADISYON_ID, GC_ID, IPTAL_ID) values "
                                 "(2, 2, 1, 2, 2)"));
    dm->qryAdisyon->open();
    EXPECT_EQ(dm->qryAdisyon->fields().size(), 17u);
    EXPECT_TRUE(dm->qryAH->active());
    EXPECT_EQ(dm->qryAH->recordCount(), 2);
}

struct LoginCase {
    const char* user;
    const char* password;
    bool accepted;
};

TEST_F(DataModule, CheckLoginIsExact)
{
    const LoginCase cases[] = {
        {"demo", "demo", true}, {"Demo", "demo", false}, {"demo", "demo ", false},
        {"demo", "DEMO", false}, {"", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckLogin(QString::fromUtf8(c.user), QString::fromUtf8(c.password)), c.accepted)
            << c.user << "/" << c.password;
}

TEST_F(DataModule, CheckLoginWithoutSettingsComparesEmptyTexts)
{
    dm->T_Ayarlar->close();
    EXPECT_FALSE(CheckLogin(QStringLiteral("demo"), QStringLiteral("demo")));
    EXPECT_TRUE(CheckLogin(QString(), QString()));
}

TEST_F(DataModule, OnlyTheExactWordTrueIsASwitch)
{
    for (const char* text : {"true", "TRUE", "", "False", "True "}) {
        execSql(path, QStringLiteral("update AYARLAR set STOK_GRUPLA = '%1'").arg(text));
        dm->T_Ayarlar->refresh();
        EXPECT_FALSE(settingsFlag(QStringLiteral("STOK_GRUPLA"))) << text;
    }
    execSql(path, QStringLiteral("update AYARLAR set STOK_GRUPLA = 'True'"));
    dm->T_Ayarlar->refresh();
    EXPECT_TRUE(settingsFlag(QStringLiteral("STOK_GRUPLA")));
}

TEST_F(DataModule, TableSlotsAndMenuQueries)
{
    EXPECT_EQ(TableSlotCount(),
              queryValue(path, QStringLiteral("select max(MASA_ID) + 1 from MASA")).toInt());
    OpenMenuQueries();
    EXPECT_FALSE(GroupQuery->isEmpty());
    const qint64 firstGroup = GroupQuery->fieldByName(QStringLiteral("GRUP_ID"))->asInteger();
    EXPECT_EQ(firstGroup, queryValue(path, QStringLiteral("select first 1 GRUP_ID from GRUP order by SIRA_NO"))
                              .toLongLong());
    EXPECT_EQ(ProductQuery->recordCount(),
              queryValue(path, QStringLiteral("select count(*) from STOK where GRUP_ID = %1").arg(firstGroup)).toInt());
    GroupQuery->next();
    const qint64 second = GroupQuery->fieldByName(QStringLiteral("GRUP_ID"))->asInteger();
    for (ProductQuery->first(); !ProductQuery->eof(); ProductQuery->next())
        EXPECT_EQ(ProductQuery->fieldByName(QStringLiteral("GRUP_ID"))->asInteger(), second);
    execSql(path, QStringLiteral("delete from MASA"));
    EXPECT_EQ(TableSlotCount(), 0);
}

TEST(DataModuleLifetime, DestroyingTheModuleCommitsPendingWork)
{
    const QString path = freshDatabase(true);
    dm = new Tdm;
    dm->IBDatabase1->setDatabaseName(path);
    dm->IBDatabase1->connect();
    dm->IBTransaction1->start();
    dm->Q_Masa->open();
    dm->Q_Masa->edit();
    dm->Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
    dm->Q_Masa->post();
    const qint64 id = dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger();
    delete dm;
    EXPECT_EQ(dm, nullptr);
    EXPECT_EQ(queryValue(path, QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(id)).toInt(), 2);
}

TEST_F(DataModule, QuietMomentEndsTheTransactionAndKeepsTheRows)
{
    openPanelDatasets();
    const int tables = dm->Q_Masa->recordCount();
    dm->Q_Masa->edit();
    EXPECT_FALSE(dm->renewTransactionIfQuiet());
    dm->Q_Masa->cancel();
    EXPECT_TRUE(dm->renewTransactionIfQuiet());
    EXPECT_EQ(dm->Q_Masa->recordCount(), tables);
    // The settings row is still addressed correctly in the new transaction.
    dm->T_Ayarlar->edit();
    dm->T_Ayarlar->fieldByName(QStringLiteral("YAZICI"))->setAsString(QStringLiteral("Mutfak"));
    dm->T_Ayarlar->post();
    EXPECT_EQ(queryValue(path, QStringLiteral("select YAZICI from AYARLAR")).toString(), QStringLiteral("Mutfak"));
}

}  // namespace
