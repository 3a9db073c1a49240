#include "support/TestDatabase.h"

#include "platform/db/Error.h"
#include "platform/db/Statement.h"

#include <gtest/gtest.h>

#include <QLocale>

using testsupport::freshDatabase;
using testsupport::Session;

namespace {

TEST(ConnectionTest, UnreachableDatabaseRaisesWithTheServersMessage)
{
    db::Connection c;
    c.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
    c.setDatabaseName(testsupport::scratchDir() + QStringLiteral("/no/such/file.fdb"));
    try {
        c.connect();
        FAIL() << "connected to a missing file";
    } catch (const db::Error& e) {
        EXPECT_FALSE(e.message().isEmpty());
        EXPECT_NE(e.gdsCode(), 0);
    }
    EXPECT_FALSE(c.connected());
}

TEST(ConnectionTest, EmptyDatabaseNameIsRefused)
{
    db::Connection c;
    EXPECT_THROW(c.connect(), db::Error);
}

TEST(StatementTest, TurkishTextRoundTripsThroughCodePage1254)
{
    const QString path = freshDatabase();
    Session s(path);
    db::Statement insert(*s.transaction);
    insert.setSql(QStringLiteral("insert into BIRIM (SN, BIRIM) values (:SN, :BIRIM)"));
    insert.setParam(QStringLiteral("SN"), 1);
    insert.setParam(QStringLiteral("birim"), QStringLiteral("Çay Bardağı İĞ"));
    insert.execute();
    db::Statement select(*s.transaction);
    select.setSql(QStringLiteral("select BIRIM, OCTET_LENGTH(BIRIM) from BIRIM where SN = 1"));
    const auto rows = select.fetchAll();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at(0).toString(), QStringLiteral("Çay Bardağı İĞ"));
    // One byte per letter: stored as code page 1254, not UTF-8.
    EXPECT_EQ(rows[0].at(1).toLongLong(), 14);
}

TEST(StatementTest, UnrepresentableCharacterIsRefusedAndNothingStored)
{
    const QString path = freshDatabase();
    Session s(path);
    db::Statement insert(*s.transaction);
    insert.setSql(QStringLiteral("insert into BIRIM (SN, BIRIM) values (7, :BIRIM)"));
    try {
        insert.setParam(QStringLiteral("BIRIM"), QStringLiteral("Kahve ") + QString::fromUtf8("\xE2\x98\x95"));
        FAIL() << "an emoji was accepted";
    } catch (const db::ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("BIRIM alanına yazılan '☕' karakteri Türkçe kod sayfasında (1254) "
                                              "bulunmuyor; metin kaydedilmedi."));
    }
    db::Statement count(*s.transaction);
    count.setSql(QStringLiteral("select count(*) from BIRIM"));
    EXPECT_EQ(count.fetchAll().front().at(0).toLongLong(), 0);
}

TEST(StatementTest, OverlongTextIsCutToTheColumnWidth)
{
    const QString path = freshDatabase();
    Session s(path);
    db::Statement insert(*s.transaction);
    insert.setSql(QStringLiteral("insert into BIRIM (SN, BIRIM) values (1, :BIRIM)"));
    insert.setParam(QStringLiteral("BIRIM"), QStringLiteral("ŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞŞ"));
    insert.execute();
    db::Statement select(*s.transaction);
    select.setSql(QStringLiteral("select BIRIM from BIRIM"));
    EXPECT_EQ(select.fetchAll().front().at(0).toString(), QString(20, u'Ş'));
}

TEST(StatementTest, LettersIntoANumericParameterGiveATurkishMessage)
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QString path = freshDatabase();
    Session s(path);
    db::Statement update(*s.transaction);
    update.setSql(QStringLiteral("update STOK set FIYAT = :FIYAT where STOK_ID = :ID"));
    try {
        update.setParam(QStringLiteral("FIYAT"), QStringLiteral("on iki"));
        FAIL();
    } catch (const db::ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("FIYAT alanına yazılan 'on iki' geçerli bir sayı değil."));
    }
    update.setParam(QStringLiteral("FIYAT"), QStringLiteral("12,5"));
    EXPECT_EQ(update.param(QStringLiteral("FIYAT")).toDouble(), 12.5);
    QLocale::setDefault(QLocale::c());
}

TEST(StatementTest, MissingTableSurfacesTheServersError)
{
    const QString path = freshDatabase();
    Session s(path);
    db::Statement st(*s.transaction);
    st.setSql(QStringLiteral("select * from YOK_BOYLE_TABLO"));
    try {
        st.fetchAll();
        FAIL();
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("YOK_BOYLE_TABLO"))) << e.message().toStdString();
        EXPECT_EQ(e.sqlState(), QStringLiteral("42S02"));
    }
}

TEST(StatementTest, LockHeldByAnotherConnectionFailsAtOnce)
{
    const QString path = freshDatabase();
    testsupport::execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI) values (1, 'Masa 1')"));
    Session first(path);
    Session second(path);
    db::Statement a(*first.transaction);
    a.setSql(QStringLiteral("update MASA set MASA_ADI = 'A' where MASA_ID = 1"));
    a.execute();
    db::Statement b(*second.transaction);
    b.setSql(QStringLiteral("update MASA set MASA_ADI = 'B' where MASA_ID = 1"));
    try {
        b.execute();
        FAIL() << "no lock conflict";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.isLockConflict()) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("update conflicts with concurrent update")))
            << e.message().toStdString();
    }
}

TEST(TransactionTest, SavepointUndoesOnlyWhatFollowedIt)
{
    const QString path = freshDatabase();
    Session s(path);
    auto exec = [&](const QString& sql) {
        db::Statement st(*s.transaction);
        st.setSql(sql);
        st.execute();
    };
    exec(QStringLiteral("insert into BIRIM (SN, BIRIM) values (1, 'Adet')"));
    s.transaction->savepoint(QStringLiteral("S1"));
    exec(QStringLiteral("insert into BIRIM (SN, BIRIM) values (2, 'Kg')"));
    s.transaction->rollbackToSavepoint(QStringLiteral("S1"));
    s.transaction->releaseSavepoint(QStringLiteral("S1"));
    s.transaction->commitRetaining();
    EXPECT_EQ(testsupport::queryValue(path, QStringLiteral("select count(*) from BIRIM")).toInt(), 1);
    EXPECT_EQ(testsupport::queryValue(path, QStringLiteral("select BIRIM from BIRIM")).toString(),
              QStringLiteral("Adet"));
}

}  // namespace

namespace {

TEST(TransactionTest, RetainingCommitEndsTheSavepoints)
{
    const QString path = freshDatabase();
    Session s(path);
    s.transaction->savepoint(QStringLiteral("S1"));
    s.transaction->commitRetaining();
    EXPECT_EQ(s.transaction->savepointsInUse(), 0);
    EXPECT_THROW(s.transaction->releaseSavepoint(QStringLiteral("S1")), db::Error);
}

}  // namespace

namespace {

// Statements the server holds prepared for this attachment.
int serverStatements(Session& s)
{
    db::Statement count(*s.transaction);
    count.setSql(QStringLiteral("select count(*) from MON$STATEMENTS where MON$ATTACHMENT_ID = CURRENT_CONNECTION"));
    return count.fetchAll().at(0).at(0).toInt();
}

void insertUnit(db::Transaction& transaction, int sn, const QVariant& name)
{
    db::Statement insert(transaction);
    insert.setSql(QStringLiteral("insert into BIRIM (SN, BIRIM) values (:SN, :BIRIM)"));
    insert.setParam(QStringLiteral("SN"), sn);
    insert.setParam(QStringLiteral("BIRIM"), name);
    insert.execute();
}

}  // namespace

TEST(PreparedStatementCacheTest, AStatementOfTheSameTextTakesThePreparedHandleBack)
{
    const QString path = freshDatabase();
    Session s(path);
    insertUnit(*s.transaction, 1, QStringLiteral("Bardak"));
    EXPECT_EQ(s.connection.preparedStatements().size(), 1u);
    const int prepared = serverStatements(s);
    // Each command's own statement, as the windows make them, prepares nothing new.
    for (int sn = 2; sn <= 20; ++sn)
        insertUnit(*s.transaction, sn, sn % 2 ? QVariant(QStringLiteral("Şişe %1").arg(sn)) : QVariant());
    EXPECT_EQ(serverStatements(s), prepared);
    EXPECT_EQ(s.connection.preparedStatements().size(), 2u);  // the insert and the count
    db::Statement check(*s.transaction);
    check.setSql(QStringLiteral("select count(*), count(BIRIM), max(BIRIM) from BIRIM"));
    const db::Row row = check.fetchAll().at(0);
    EXPECT_EQ(row.at(0).toInt(), 20);
    EXPECT_EQ(row.at(1).toInt(), 10);
    EXPECT_EQ(row.at(2).toString(), QStringLiteral("Şişe 9"));
}

TEST(PreparedStatementCacheTest, KeepsABoundedNumberAndEmptiesAtDisconnect)
{
    const QString path = freshDatabase();
    Session s(path);
    for (int i = 0; i < 50; ++i) {
        db::Statement select(*s.transaction);
        select.setSql(QStringLiteral("select %1 from RDB$DATABASE").arg(i));
        EXPECT_EQ(select.fetchAll().at(0).at(0).toInt(), i);
    }
    EXPECT_EQ(s.connection.preparedStatements().size(), 32u);
    EXPECT_LE(serverStatements(s), 34);

    // A statement that outlives the disconnect prepares again on the new attachment.
    db::Statement kept(*s.transaction);
    kept.setSql(QStringLiteral("select 7 from RDB$DATABASE"));
    EXPECT_EQ(kept.fetchAll().at(0).at(0).toInt(), 7);
    s.transaction->commit();
    s.connection.disconnect();
    EXPECT_EQ(s.connection.preparedStatements().size(), 0u);
    s.connection.connect();
    s.transaction->start();
    EXPECT_EQ(kept.fetchAll().at(0).at(0).toInt(), 7);
}
