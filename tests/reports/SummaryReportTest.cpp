#include "support/DataModuleFixture.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/Modal.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Dataset.h"
#include "platform/db/Field.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataRadioGroup.h"
#include "platform/ui/Modal.h"
#include "reports/u_r_Adisyon.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

namespace {

using Row = std::tuple<QString, double, double>;  // MASA_ADI, KASA, BANKA

const QDate kDay(2024, 3, 15);
const QString kOpening = QStringLiteral("Açılış");
const QString kClosing = QStringLiteral("Kapanış");

// Tables whose names try the LIKE condition, and one day of bills on them.
class SummaryReport : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        addTable(101, QStringLiteral("'A1'"));
        addTable(102, QStringLiteral("'A10'"));
        addTable(103, QStringLiteral("'BA1'"));
        addTable(104, QStringLiteral("'Teras'"));
        addTable(105, QStringLiteral("'Teras'"));
        addTable(106, QStringLiteral("null"));
        addTable(107, QStringLiteral("'Ali''nin'"));
        addTable(108, QStringLiteral("'A_1'"));
        addTable(109, QStringLiteral("'AB1'"));
        addTable(110, QStringLiteral("'Bar:T1'"));
        addTable(111, QStringLiteral("'Kenar'"));

        // table, opened, closed, cash, card; valid unless said otherwise
        addBill(101, "2024-03-15 10:00", "2024-03-15 11:00", 100, 0);
        addBill(101, "2024-03-15 10:00", "2024-03-15 11:00", 500, 70, 2);  // cancelled
        addBill(102, "2024-03-15 12:00", "2024-03-15 12:30", 0, 50);
        addBill(103, "2024-03-15 13:00", "2024-03-15 14:00", 30, 20);
        addBill(104, "2024-03-15 09:00", "2024-03-15 10:00", 10, 5);
        addBill(105, "2024-03-15 15:00", "2024-03-15 16:00", 7, 3);
        addBill(106, "2024-03-15 10:00", "2024-03-15 11:00", 999, 0);
        addBill(107, "2024-03-15 10:00", "2024-03-15 11:00", 40, 0);
        addBill(108, "2024-03-15 10:00", "2024-03-15 11:00", 1, 0);
        addBill(109, "2024-03-15 10:00", "2024-03-15 11:00", 2, 0);
        addBill(110, "2024-03-15 10:00", "2024-03-15 11:00", 5, 0);
        // The ends of the day at "Kenar": the amounts are powers of two, so
        // a sum tells which bills were counted.
        addBill(111, "2024-03-14 20:00", "2024-03-15 00:00:00.0000", 1, 0);  // closed as the day began
        addBill(111, "2024-03-14 20:00", "2024-03-16 00:00:00.0000", 2, 0);  // closed at the midnight ending it
        addBill(111, "2024-03-14 20:00", "2024-03-16 00:00:01", 4, 0);       // closed after that
        addBill(111, "2024-03-14 20:00", "2024-03-14 23:59:59", 8, 0);       // closed the day before
        addBill(111, "2024-03-15 12:00", nullptr, 16, 0);                    // still open
        addBill(111, "2024-03-16 00:00:00.0000", "2024-03-16 01:00", 32, 0);  // opened at the ending midnight
        addBill(111, "2024-03-14 23:59:59", "2024-03-15 01:00", 64, 0);       // opened the day before
    }

    void TearDown() override
    {
        window.reset();
        DataModuleFixture::TearDown();
    }

    void addTable(int id, const QString& nameLiteral)
    {
        exec(QStringLiteral("insert into MASA (MASA_ID, MASA_ADI) values (%1, %2)").arg(id).arg(nameLiteral));
    }

    void addBill(int table, const char* opened, const char* closed, double cash, double card, int cancelled = 1)
    {
        const QString closedAt = closed ? QStringLiteral("'%1'").arg(QLatin1String(closed)) : QStringLiteral("null");
        exec(QStringLiteral("insert into ADISYON (MASA_ID, ACIK_KAPALI, TARIH, KAPANIS_TARIHI, K_TUTAR, B_TUTAR, "
                            "TUTAR, IPTAL_ID) values (%1, %2, '%3', %4, %5, %6, %7, %8)")
                 .arg(table)
                 .arg(closed ? 1 : 2)
                 .arg(QLatin1String(opened))
                 .arg(closedAt)
                 .arg(cash)
                 .arg(card)
                 .arg(cash + card)
                 .arg(cancelled));
    }

    // The stored date choice, as another terminal would have left it.
    void storeDateChoice(const QString& literal)
    {
        exec(QStringLiteral("update AYARLAR set RAPOR_TARIH = %1").arg(literal));
        dm->T_Ayarlar->refresh();
    }

    Tr_Adisyon& open()
    {
        window = std::make_unique<Tr_Adisyon>();
        window->cxDateEdit1->setDate(kDay);
        window->cxDateEdit2->setDate(kDay);
        return *window;
    }

    static std::vector<Row> rowsOf(db::Dataset* query)
    {
        std::vector<Row> rows;
        for (query->first(); !query->eof(); query->next()) {
            rows.emplace_back(query->fieldByName(QStringLiteral("MASA_ADI"))->asString(),
                              query->fieldByName(QStringLiteral("KASA"))->asFloat(),
                              query->fieldByName(QStringLiteral("BANKA"))->asFloat());
        }
        return rows;
    }

    // A change in the shared transaction that no commit has made permanent yet.
    void leaveWorkUncommitted() const
    {
        db::Statement pending(*dm->IBTransaction1);
        pending.setSql(QStringLiteral("update MASA set MASA_ADI = 'Bekleyen' where MASA_ID = 1"));
        pending.execute();
    }

    QString storedDateChoice() const { return value(QStringLiteral("select RAPOR_TARIH from AYARLAR")).toString(); }

    std::unique_ptr<Tr_Adisyon> window;
};

TEST_F(SummaryReport, WindowHasItsCaptionControlsAndStartsOnToday)
{
    Tr_Adisyon w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Adisyon Özet Rapor"));
    EXPECT_EQ(w.size(), QSize(412, 524));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Adisyon Raporu"));
    EXPECT_EQ(w.cxDateEdit1->date(), QDate::currentDate());
    EXPECT_EQ(w.cxDateEdit2->date(), QDate::currentDate());
    EXPECT_EQ(w.cxDateEdit1->accessibleName(), QStringLiteral("Başlangıç Tarihi"));
    EXPECT_EQ(w.cxDateEdit2->accessibleName(), QStringLiteral("Bitiş Tarihi"));
    EXPECT_EQ(w.cxTextEdit1->accessibleName(), QStringLiteral("Masa Adı"));
    EXPECT_EQ(w.cxTextEdit1->text(), QString());
    EXPECT_EQ(w.cxCheckBox1->text(), QStringLiteral("içerir"));
    EXPECT_FALSE(w.cxCheckBox1->isChecked());
    EXPECT_EQ(w.cxDBRadioGroup1->title(), QStringLiteral("Tarih Opsiyon"));
    EXPECT_EQ(w.cxDBRadioGroup1->items(), QStringList({kOpening, kClosing}));
    EXPECT_EQ(w.cxButton1->accessibleName(), QStringLiteral("Rapor"));
    EXPECT_EQ(w.cxButton3->accessibleName(), QStringLiteral("Dizayn"));
    EXPECT_EQ(w.cxButton2->accessibleName(), QStringLiteral("Çıkış"));
    // The demo settings row chose the closing time.
    EXPECT_EQ(w.cxDBRadioGroup1->itemIndex(), 1);
}

TEST_F(SummaryReport, StatementIsBuiltFromTheInputs)
{
    storeDateChoice(QStringLiteral("'Açılış'"));
    Tr_Adisyon& w = open();
    w.cxDateEdit1->setDate(QDate(2024, 3, 1));
    w.cxDateEdit2->setDate(QDate(2024, 3, 31));
    w.cxTextEdit1->setText(QStringLiteral("A1"));
    db::Dataset* query = w.OpenReportQuery();
    EXPECT_EQ(query->sql(), QStringLiteral("SELECT SUM(K_TUTAR) AS KASA, SUM(B_TUTAR) AS BANKA, MASA_ADI from "
                                           "W_ADISYON WHERE IPTAL_ID = 1 AND TARIH BETWEEN :T1 AND :T2 AND "
                                           "MASA_ADI LIKE 'A1%' GROUP BY  MASA_ADI ORDER BY MASA_ADI "));
    EXPECT_EQ(query->param(QStringLiteral("T1")).toDateTime(), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    EXPECT_EQ(query->param(QStringLiteral("T2")).toDateTime(), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    EXPECT_TRUE(query->active());
    EXPECT_EQ(WorkQuery, query);
    EXPECT_EQ(WorkText, QStringLiteral("A1"));

    w.cxCheckBox1->setChecked(true);
    w.cxTextEdit1->setText(QStringLiteral("O'Brien"));
    storeDateChoice(QStringLiteral("'Kapanış'"));
    EXPECT_TRUE(w.OpenReportQuery()->sql().endsWith(
        QStringLiteral("WHERE IPTAL_ID = 1 AND KAPANIS_TARIHI BETWEEN :T1 AND :T2 AND MASA_ADI LIKE '%O''Brien%' "
                       "GROUP BY  MASA_ADI ORDER BY MASA_ADI ")));
}

struct QueryCase {
    const char* name;
    QString text;
    bool contains;
    QString dateChoice;  // the stored RAPOR_TARIH, as an SQL literal
    std::vector<Row> rows;
};

TEST_F(SummaryReport, QueryCountsTheRightBills)
{
    // In the order of the names by the Turkish collation of the database.
    const std::vector<Row> everyNamedTable = {
        {"A1", 100, 0},  {"A10", 0, 50},   {"AB1", 2, 0},      {"Ali'nin", 40, 0}, {"A_1", 1, 0},
        {"BA1", 30, 20}, {"Bar:T1", 5, 0}, {"Kenar", 67, 0}, {"Teras", 17, 8},
    };
    const QueryCase cases[] = {
        {"an empty text matches every named table; cancelled bills and an unnamed table never count", "", false,
         "'Kapanış'", everyNamedTable},
        {"an empty text with içerir matches the same", "", true, "'Kapanış'", everyNamedTable},
        {"A1 begins A1 and A10", "A1", false, "'Kapanış'", {{"A1", 100, 0}, {"A10", 0, 50}}},
        {"A1 with içerir also matches BA1", "A1", true, "'Kapanış'",
         {{"A1", 100, 0}, {"A10", 0, 50}, {"BA1", 30, 20}}},
        {"a quote is matched literally", "Ali'nin", false, "'Kapanış'", {{"Ali'nin", 40, 0}}},
        {"a lone quote with içerir", "'", true, "'Kapanış'", {{"Ali'nin", 40, 0}}},
        {"_ stands for any one character", "A_1", false, "'Kapanış'", {{"AB1", 2, 0}, {"A_1", 1, 0}}},
        {"% stands for any text", "A%1", false, "'Kapanış'",
         {{"A1", 100, 0}, {"A10", 0, 50}, {"AB1", 2, 0}, {"A_1", 1, 0}}},
        {"a colon in the text is no parameter", "Bar:T1", false, "'Kapanış'", {{"Bar:T1", 5, 0}}},
        {"two tables of one name make one row", "Teras", false, "'Kapanış'", {{"Teras", 17, 8}}},
        {"closing time: from the first midnight up to and including the last", "Kenar", false, "'Kapanış'",
         {{"Kenar", 1 + 2 + 64, 0}}},
        {"opening time: open bills count with what they hold", "Kenar", false, "'Açılış'",
         {{"Kenar", 16 + 32, 0}}},
        {"opening time on other tables", "A1", false, "'Açılış'", {{"A1", 100, 0}, {"A10", 0, 50}}},
        {"an empty choice filters on the closing time", "Kenar", false, "null", {{"Kenar", 67, 0}}},
        {"any other text filters on the closing time", "Kenar", false, "'açılış'", {{"Kenar", 67, 0}}},
        {"nothing matches", "zzz", true, "'Kapanış'", {}},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.name);
        storeDateChoice(c.dateChoice);
        Tr_Adisyon& w = open();
        w.cxTextEdit1->setText(c.text);
        w.cxCheckBox1->setChecked(c.contains);
        EXPECT_EQ(rowsOf(w.OpenReportQuery()), c.rows);
    }
}

TEST_F(SummaryReport, RowsComeInTheOrderOfTheTableNames)
{
    Tr_Adisyon& w = open();
    QStringList names;
    for (const Row& row : rowsOf(w.OpenReportQuery()))
        names << std::get<0>(row);
    EXPECT_LT(names.indexOf(QStringLiteral("BA1")), names.indexOf(QStringLiteral("Kenar")));
    EXPECT_LT(names.indexOf(QStringLiteral("Kenar")), names.indexOf(QStringLiteral("Teras")));
}

TEST_F(SummaryReport, ARangeOfSeveralDaysIncludesEveryDay)
{
    Tr_Adisyon& w = open();
    w.cxDateEdit1->setDate(QDate(2024, 3, 14));
    w.cxDateEdit2->setDate(QDate(2024, 3, 16));
    w.cxTextEdit1->setText(QStringLiteral("Kenar"));
    // Every closed bill of the 14th to the 16th: all but the one still open.
    EXPECT_EQ(rowsOf(w.OpenReportQuery()), (std::vector<Row>{{"Kenar", 1 + 2 + 4 + 8 + 32 + 64, 0}}));
}

TEST_F(SummaryReport, RaporAndDizaynEachRunANewQuery)
{
    Tr_Adisyon& w = open();
    int previews = 0;
    ui::ModalHookScope hook([&](QDialog& shown) {
        if (auto* preview = qobject_cast<report::ReportPreview*>(&shown)) {
            ++previews;
            EXPECT_GE(preview->pageCount(), 1);
        }
        shown.close();
    });
    QTest::mouseClick(w.cxButton1, Qt::LeftButton);
    EXPECT_EQ(previews, 1);
    db::Dataset* first = w.reportQuery();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->active());
    QTest::mouseClick(w.cxButton3, Qt::LeftButton);
    db::Dataset* second = w.reportQuery();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(WorkQuery, second);
    // The earlier query lives until the window goes.
    EXPECT_TRUE(first->active());
    EXPECT_EQ(second->parent(), &w);
    window.reset();
    EXPECT_EQ(WorkQuery, nullptr);
}

TEST_F(SummaryReport, ADatabaseErrorReachesTheErrorBox)
{
    Tr_Adisyon& w = open();
    dm->IBTransaction1->commit();  // no transaction: the select cannot run
    uitest::ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("İşlem (transaction) başlatılmamış."));
    QTest::mouseClick(w.cxButton1, Qt::LeftButton);
    dialogs.verify();
    dm->IBTransaction1->start();
}

TEST_F(SummaryReport, ATableTextOutsideTheTurkishCodePageIsRefusedWithAMessage)
{
    Tr_Adisyon& w = open();
    w.cxTextEdit1->setText(QStringLiteral("Çay ☕"));
    uitest::ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("SQL metninde Türkçe kod sayfasında (1254) olmayan karakter var: '☕'"));
    QTest::mouseClick(w.cxButton1, Qt::LeftButton);
    dialogs.verify();
}

TEST_F(SummaryReport, NoOptionIsShownWhenTheStoredTextIsNeitherCaption)
{
    for (const QString& stored : {QStringLiteral("null"), QStringLiteral("''"), QStringLiteral("'Kapanis'")}) {
        SCOPED_TRACE(stored.toStdString());
        storeDateChoice(stored);
        Tr_Adisyon& w = open();
        EXPECT_EQ(w.cxDBRadioGroup1->itemIndex(), -1);
        EXPECT_FALSE(w.cxDBRadioGroup1->button(0)->isChecked());
        EXPECT_FALSE(w.cxDBRadioGroup1->button(1)->isChecked());
        EXPECT_TRUE(w.OpenReportQuery()->sql().contains(QStringLiteral("KAPANIS_TARIHI BETWEEN")));
    }
}

TEST_F(SummaryReport, TheChosenOptionIsStoredAndCommittedOnCloseAndShownNextTime)
{
    struct Case {
        QString stored;
        int choose;
        QString expected;
    };
    const Case cases[] = {{QStringLiteral("null"), 1, kClosing}, {QStringLiteral("'Kapanış'"), 0, kOpening}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        storeDateChoice(c.stored);
        ModifiedState = 0;
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto& w = static_cast<Tr_Adisyon&>(shown);
            // A tap on the option's circle.
            QRadioButton* option = w.cxDBRadioGroup1->button(c.choose);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(10, option->height() / 2));
            EXPECT_EQ(ModifiedState, 2);
            EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Edit);
            QTest::mouseClick(w.cxButton2, Qt::LeftButton);
            EXPECT_FALSE(w.isVisible());
        });
        ui::showModal<Tr_Adisyon>(nullptr);
        EXPECT_EQ(ModifiedState, 0);
        EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
        // Seen from another connection: committed.
        EXPECT_EQ(storedDateChoice(), c.expected);

        Tr_Adisyon next;
        EXPECT_EQ(next.cxDBRadioGroup1->itemIndex(), c.choose);
    }
}

TEST_F(SummaryReport, ClosingWithoutAChoiceWritesAndCommitsNothing)
{
    leaveWorkUncommitted();
    ui::ModalHookScope hook([](QDialog& shown) { shown.close(); });
    ui::showModal<Tr_Adisyon>(nullptr);
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 1")).toString(),
              QStringLiteral("Masa 1"));
}

TEST_F(SummaryReport, ClosingWhileOtherInputIsPendingPostsTheSettingsRowAndCommits)
{
    leaveWorkUncommitted();
    ModifiedState = 2;
    ui::ModalHookScope hook([](QDialog& shown) { shown.close(); });
    ui::showModal<Tr_Adisyon>(nullptr);
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
    EXPECT_EQ(storedDateChoice(), kClosing);
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 1")).toString(),
              QStringLiteral("Bekleyen"));
}

}  // namespace
