#include "support/DataModuleFixture.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Dataset.h"
#include "platform/db/Field.h"
#include "platform/ui/ColumnCustomization.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DatasetModel.h"
#include "platform/ui/GridProxyModel.h"
#include "platform/ui/GridLayout.h"
#include "platform/ui/Modal.h"
#include "reports/u_L_KayitliAdisyonlar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

const QString kQuestion = QStringLiteral("Adisyon kalıcı silinecek! Devam edilsin mi?");

// Bills of a small day at the demo cafe: three valid, one cancelled, each
// with lines of its own.
class SavedBills : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        // id, table, cancelled, total, cash, card, discount, due
        addBill(1001, 1, 1, 100, 100, 0, 0, 100);
        addBill(1002, 2, 1, 50, 0, 50, 0, 50);
        addBill(1003, 3, 2, 30, 30, 0, 0, 30);
        addBill(1004, 17, 1, 80, 40, 40, 8, 72);
        addLines(1001, 2);
        addLines(1002, 1);
        addLines(1003, 1);
        addLines(1004, 3);
    }

    void TearDown() override
    {
        window.reset();
        DataModuleFixture::TearDown();
    }

    void addBill(int id, int table, int cancelled, double total, double cash, double card, double discount,
                 double due)
    {
        exec(QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, "
                            "KAPANIS_TARIHI, TAHSILAT_ID, TUTAR, K_TUTAR, B_TUTAR, IPTAL_ID, ISKONTO, ARA_TUTAR) "
                            "values (%1, %2, 1, 1, '2024-03-15 12:00', '2024-03-15 13:00', 1, %3, %4, %5, %6, "
                            "%7, %8)")
                 .arg(id)
                 .arg(table)
                 .arg(total)
                 .arg(cash)
                 .arg(card)
                 .arg(cancelled)
                 .arg(discount)
                 .arg(due));
    }

    void addLines(int bill, int count)
    {
        for (int i = 0; i < count; ++i)
            exec(QStringLiteral("insert into STOK_HAREKET (STOK_ID, ADISYON_ID, GC_ID) values (%1, %2, 2)")
                     .arg(i + 1)
                     .arg(bill));
    }

    TL_KayitliAdisyonlar& open()
    {
        window = std::make_unique<TL_KayitliAdisyonlar>();
        return *window;
    }

    db::Dataset* bills() const { return dm->qryAdisyon; }
    qint64 currentBill() const { return bills()->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger(); }

    QList<qint64> listedBills() const
    {
        QList<qint64> ids;
        const int column = window->cxGrid1->datasetModel()->columnOfField(QStringLiteral("ADISYON_ID"));
        for (int row = 0; row < window->cxGrid1->shownRowCount(); ++row)
            ids << bills()->value(window->cxGrid1->datasetRowAt(row), column).toLongLong();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    int linesOf(int bill) const
    {
        return value(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1").arg(bill)).toInt();
    }

    QString layoutPath(const QString& name) const { return programFolder->path() + QStringLiteral("/ini/") + name; }

    std::unique_ptr<TL_KayitliAdisyonlar> window;
};

TEST_F(SavedBills, WindowHasItsCaptionButtonsAndColumns)
{
    TL_KayitliAdisyonlar& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Adisyon Kayıt Gezgini"));
    const QList<std::pair<QPushButton*, QString>> buttons = {
        {w.cxButton3, QStringLiteral("Geçerli Adisyonlar")}, {w.cxButton2, QStringLiteral("İptal Adisyonları")},
        {w.cxButton1, QStringLiteral("Sil")},                {w.cxButton4, QStringLiteral("İlk Kayıt")},
        {w.cxButton5, QStringLiteral("Son Kayıt")},          {w.cxButton6, QStringLiteral("Çıkış")},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->accessibleName(), caption);
    }
    EXPECT_EQ(w.cxGrid1->columnOrder(),
              QStringList({"ADISYON_ID", "MASA_ID", "ACIK_KAPALI", "TURU_ID", "TARIH", "KAPANIS_TARIHI",
                           "TAHSILAT_ID", "TUTAR", "K_TUTAR", "B_TUTAR", "ACIKLAMA", "IPTAL_ID", "ISKONTO",
                           "ARA_TUTAR", "FIS_NO", "MASA_ADI", "TAHSILAT"}));
    EXPECT_EQ(w.cxGrid1->columnCaption(QStringLiteral("K_TUTAR")), QStringLiteral("KASA"));
    EXPECT_EQ(w.cxGrid1->columnCaption(QStringLiteral("B_TUTAR")), QStringLiteral("BANKA"));
    EXPECT_EQ(w.cxGrid1->columnCaption(QStringLiteral("TUTAR")), QStringLiteral("TUTAR"));
    EXPECT_TRUE(w.cxGrid1->isFilterRowVisible());
    EXPECT_FALSE(w.cxGrid1->isEditable());
    EXPECT_TRUE(w.cxGrid1->isHighContrast());
    EXPECT_EQ(w.cxGrid1DBTableView1->font().pixelSize(), 17);
    EXPECT_EQ(w.cxGrid2DBTableView1->font().pixelSize(), 17);
    EXPECT_EQ(w.cxGrid2->columnOrder(),
              QStringList({"SN", "STOK_KODU", "STOK_ADI", "CIKAN", "BIRIM", "FIYAT", "TUTAR", "ISKONTO",
                           "ISKONTO_TUTAR", "ARA_TUTAR"}));
    EXPECT_EQ(w.cxGrid2->columnCaption(QStringLiteral("CIKAN")), QStringLiteral("MIKTAR"));
    EXPECT_EQ(w.cxGrid2->columnWidth(QStringLiteral("STOK_ADI")), 313);
    EXPECT_FALSE(w.cxGrid2->isEditable());
    EXPECT_EQ(w.zelletir1->text(), QStringLiteral("Özelleştir"));
    EXPECT_EQ(w.Kaydet1->text(), QStringLiteral("Kaydet"));
    EXPECT_EQ(w.zelletir2->text(), QStringLiteral("Özelleştir"));
    EXPECT_EQ(w.Kaydet2->text(), QStringLiteral("Kaydet"));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("TUTAR")), QStringLiteral("230,00"));
}

TEST_F(SavedBills, OpensWithTheValidBillsAndTheLinesOfTheFirst)
{
    TL_KayitliAdisyonlar& w = open();
    EXPECT_EQ(bills()->sql(), QStringLiteral("SELECT * FROM W_ADISYON WHERE IPTAL_ID = 1"));
    EXPECT_EQ(listedBills(), QList<qint64>({1001, 1002, 1004}));
    EXPECT_EQ(w.cxGrid1->shownRowOfCurrent(), 0);
    EXPECT_TRUE(dm->qryAH->active());
    EXPECT_EQ(dm->qryAH->recordCount(), linesOf(int(currentBill())));
    // The lower list follows the bill under the cursor.
    ASSERT_TRUE(bills()->locate(QStringLiteral("ADISYON_ID"), 1004));
    EXPECT_EQ(dm->qryAH->recordCount(), 3);
    EXPECT_EQ(w.cxGrid2->shownRowCount(), 3);
}

TEST_F(SavedBills, TheThreeSelects)
{
    struct Case {
        const char* name;
        void (TL_KayitliAdisyonlar::*command)();
        QString sql;
        QList<qint64> bills;
    };
    const Case cases[] = {
        {"Geçerli Adisyonlar lists every bill", &TL_KayitliAdisyonlar::cxButton3Click,
         QStringLiteral("SELECT * FROM W_ADISYON"), {1001, 1002, 1003, 1004}},
        {"İptal Adisyonları lists the cancelled bills", &TL_KayitliAdisyonlar::cxButton2Click,
         QStringLiteral("SELECT * FROM  W_ADISYON WHERE IPTAL_ID = 2"), {1003}},
    };
    TL_KayitliAdisyonlar& w = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Away from the first row, to see each reload put the list back on it.
        w.cxButton5Click();
        (w.*c.command)();
        EXPECT_EQ(bills()->sql(), c.sql);
        EXPECT_EQ(listedBills(), c.bills);
        EXPECT_EQ(w.cxGrid1->shownRowOfCurrent(), 0);
        EXPECT_EQ(dm->qryAH->recordCount(), linesOf(int(currentBill())));
    }
    // The buttons run the same commands.
    QTest::mouseClick(w.cxButton3, Qt::LeftButton);
    EXPECT_EQ(listedBills(), QList<qint64>({1001, 1002, 1003, 1004}));
}

TEST_F(SavedBills, FooterSumsAddUpOnlyTheRowsTheFilterShows)
{
    TL_KayitliAdisyonlar& w = open();
    w.cxButton3Click();
    EXPECT_DOUBLE_EQ(w.cxGrid1->footerSum(QStringLiteral("TUTAR")), 260);
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("K_TUTAR")), QStringLiteral("170,00"));

    QLineEdit* tableFilter = w.cxGrid1->filterEdit(QStringLiteral("MASA_ADI"));
    ASSERT_NE(tableFilter, nullptr);
    QTest::keyClicks(tableFilter, QStringLiteral("BAH"));
    w.cxGrid1->applyTypedFilters();
    EXPECT_EQ(listedBills(), QList<qint64>({1004}));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("TUTAR")), QStringLiteral("80,00"));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("K_TUTAR")), QStringLiteral("40,00"));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("B_TUTAR")), QStringLiteral("40,00"));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("ISKONTO")), QStringLiteral("8,00"));
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("ARA_TUTAR")), QStringLiteral("72,00"));
    // The bill under the cursor is one the filter shows, with its lines below.
    EXPECT_EQ(currentBill(), 1004);
    EXPECT_EQ(dm->qryAH->recordCount(), 3);

    tableFilter->clear();
    w.cxGrid1->applyTypedFilters();
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("TUTAR")), QStringLiteral("260,00"));
}

TEST_F(SavedBills, DeleteRemovesTheBillAndItsLinesAndCommitsAtOnce)
{
    const QVariant tablesBefore = value(QStringLiteral("select list(MASA_ID || ':' || ACIK_KAPALI || ':' || "
                                                       "coalesce(MASA_ADI, '')) from (select * from MASA order by "
                                                       "MASA_ID)"));
    TL_KayitliAdisyonlar& w = open();
    ASSERT_TRUE(bills()->locate(QStringLiteral("ADISYON_ID"), 1002));
    uitest::ScriptedDialogs dialogs;
    dialogs.expectQuestion(kQuestion, QString(), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    QTest::mouseClick(w.cxButton1, Qt::LeftButton);
    dialogs.verify();

    EXPECT_EQ(listedBills(), QList<qint64>({1001, 1004}));
    EXPECT_EQ(bills()->sql(), QStringLiteral("SELECT * FROM W_ADISYON WHERE IPTAL_ID = 1"));
    EXPECT_EQ(w.cxGrid1->shownRowOfCurrent(), 0);
    // Seen from another connection: committed.
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where ADISYON_ID = 1002")).toInt(), 0);
    EXPECT_EQ(linesOf(1002), 0);
    EXPECT_EQ(linesOf(1001), 2);
    EXPECT_EQ(linesOf(1004), 3);
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON")).toInt(), 3);
    EXPECT_EQ(value(QStringLiteral("select list(MASA_ID || ':' || ACIK_KAPALI || ':' || coalesce(MASA_ADI, '')) "
                                   "from (select * from MASA order by MASA_ID)")),
              tablesBefore);
}

TEST_F(SavedBills, DeletingABillStillOpenOnItsTableLeavesTheTableAsItIs)
{
    exec(QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TARIH) values (1005, 5, 2, "
                        "'2024-03-15 20:00')"));
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 5"));
    addLines(1005, 2);
    TL_KayitliAdisyonlar& w = open();
    ASSERT_TRUE(bills()->locate(QStringLiteral("ADISYON_ID"), 1005));
    uitest::ScriptedDialogs dialogs;
    dialogs.expectQuestion(kQuestion, QString(), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    w.cxButton1Click();

    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where ADISYON_ID = 1005")).toInt(), 0);
    EXPECT_EQ(linesOf(1005), 0);
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = 5")).toInt(), 2);
}

TEST_F(SavedBills, DeleteAnsweredNoChangesNothing)
{
    TL_KayitliAdisyonlar& w = open();
    ASSERT_TRUE(bills()->locate(QStringLiteral("ADISYON_ID"), 1002));
    uitest::ScriptedDialogs dialogs;
    dialogs.expectQuestion(kQuestion, QString(), ui::MessageIcon::Warning, ui::DialogButton::No);
    w.cxButton1Click();

    EXPECT_EQ(listedBills(), QList<qint64>({1001, 1002, 1004}));
    EXPECT_EQ(currentBill(), 1002);
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON")).toInt(), 4);
    EXPECT_EQ(linesOf(1002), 1);
}

TEST_F(SavedBills, DeleteOnAnEmptyListSaysThereIsNothingToDelete)
{
    exec(QStringLiteral("delete from ADISYON where IPTAL_ID = 2"));
    TL_KayitliAdisyonlar& w = open();
    w.cxButton2Click();
    ASSERT_EQ(bills()->recordCount(), 0);
    uitest::ScriptedDialogs dialogs;
    dialogs.expectQuestion(kQuestion, QString(), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    dialogs.expectError(QStringLiteral("Silinecek adisyon yok: listede seçili bir adisyon bulunmuyor."));
    QTest::mouseClick(w.cxButton1, Qt::LeftButton);
    dialogs.verify();
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON")).toInt(), 3);
}

TEST_F(SavedBills, FirstAndLastFollowTheOrderShown)
{
    TL_KayitliAdisyonlar& w = open();
    w.cxButton3Click();
    w.cxGrid1->sortBy(QStringLiteral("TUTAR"), Qt::DescendingOrder);  // 100, 80, 50, 30
    QTest::mouseClick(w.cxButton5, Qt::LeftButton);
    EXPECT_EQ(currentBill(), 1003);
    EXPECT_EQ(w.cxGrid1->shownRowOfCurrent(), 3);
    EXPECT_EQ(dm->qryAH->recordCount(), 1);
    QTest::mouseClick(w.cxButton4, Qt::LeftButton);
    EXPECT_EQ(currentBill(), 1001);
    EXPECT_EQ(w.cxGrid1->shownRowOfCurrent(), 0);

    // A click on a caption sorts too: by table name, Bahçe 1 comes first.
    QHeaderView* header = w.cxGrid1DBTableView1->horizontalHeader();
    w.cxGrid1->sortBy(QString());
    const int column = w.cxGrid1->columnIndex(QStringLiteral("MASA_ADI"));
    w.resize(1600, 900);
    w.show();
    w.cxGrid1DBTableView1->scrollTo(w.cxGrid1->proxyModel()->index(0, column));
    QApplication::processEvents();
    const QPoint caption(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 8);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    ASSERT_EQ(w.cxGrid1->sortField(), QStringLiteral("MASA_ADI"));
    w.cxButton4Click();
    EXPECT_EQ(currentBill(), 1004);
    w.cxButton5Click();
    EXPECT_EQ(currentBill(), 1003);
}

TEST_F(SavedBills, AHiddenColumnStaysHiddenAfterTheLayoutIsSaved)
{
    {
        TL_KayitliAdisyonlar& w = open();
        w.zelletir1Click();
        EXPECT_TRUE(w.cxGrid1->isCustomizationVisible());
        w.cxGrid1->setColumnHidden(QStringLiteral("ACIKLAMA"), true);
        EXPECT_TRUE(w.cxGrid1->customization()->listedColumns().contains(QStringLiteral("ACIKLAMA")));
        w.zelletir1Click();
        EXPECT_FALSE(w.cxGrid1->isCustomizationVisible());
        w.cxGrid1->moveColumn(QStringLiteral("MASA_ADI"), 1);
        // A filter in force is not part of the saved layout.
        w.cxGrid1->setFilterText(QStringLiteral("MASA_ADI"), QStringLiteral("Masa"));
        w.Kaydet1->trigger();
        w.cxGrid2->setColumnWidth(QStringLiteral("STOK_ADI"), 200);
        w.Kaydet2->trigger();
        window.reset();
    }
    ASSERT_TRUE(QFile::exists(layoutPath(QStringLiteral("L_Adisyon.ini"))));
    ASSERT_TRUE(QFile::exists(layoutPath(QStringLiteral("L_AdisyonHareket.ini"))));
    const auto saved = ui::readGridLayout(layoutPath(QStringLiteral("L_Adisyon.ini")));
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->filters.isEmpty());
    EXPECT_TRUE(saved->footerSums.isEmpty());

    TL_KayitliAdisyonlar& w = open();
    EXPECT_TRUE(w.cxGrid1->isColumnHidden(QStringLiteral("ACIKLAMA")));
    EXPECT_EQ(w.cxGrid1->columnOrder().indexOf(QStringLiteral("MASA_ADI")), 1);
    EXPECT_EQ(w.cxGrid1->filterText(QStringLiteral("MASA_ADI")), QString());
    EXPECT_EQ(listedBills(), QList<qint64>({1001, 1002, 1004}));
    EXPECT_EQ(w.cxGrid2->columnWidth(QStringLiteral("STOK_ADI")), 200);
    // The footer is the designed one.
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("TUTAR")), QStringLiteral("230,00"));
}

TEST_F(SavedBills, ALayoutThatCannotBeWrittenIsAnErrorAndAMissingOneIsNot)
{
    QDir(programFolder->path()).rmdir(QStringLiteral("ini"));
    TL_KayitliAdisyonlar& w = open();  // no layout files: the designed layout
    EXPECT_FALSE(w.cxGrid1->isColumnHidden(QStringLiteral("ACIKLAMA")));
    EXPECT_THROW(w.Kaydet1Click(), ui::FileError);
    EXPECT_THROW(w.Kaydet2Click(), ui::FileError);
    EXPECT_FALSE(QFile::exists(layoutPath(QStringLiteral("L_Adisyon.ini"))));
}

TEST_F(SavedBills, ALargeListShowsProgressWhileItIsRead)
{
    exec(QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TARIH, TUTAR, IPTAL_ID) "
                        "select first 12000 100000 + gen_id(ADISYON_ADISYON_ID_GEN, 1), "
                        "1 + mod(a.RDB$TYPE, 20), 1, '2024-03-01 12:00', 1, 1 "
                        "from RDB$TYPES a cross join RDB$TYPES b"));
    TL_KayitliAdisyonlar& w = open();
    w.setProgressDelay(0);
    w.cxButton3Click();
    EXPECT_GE(w.lastProgressRows(), 10000);
    EXPECT_TRUE(w.progressWasShown());
    EXPECT_EQ(bills()->recordCount(), 12004);
    EXPECT_EQ(w.cxGrid1->shownRowCount(), 12004);
    EXPECT_EQ(w.cxGrid1->footerText(QStringLiteral("TUTAR")), QStringLiteral("12.260,00"));

    // A small list is read without a progress window.
    w.cxButton2Click();
    EXPECT_EQ(w.lastProgressRows(), 0);
    EXPECT_FALSE(w.progressWasShown());
}

TEST_F(SavedBills, ClosesThroughCikisWhenShownModally)
{
    bool closed = false;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto& w = static_cast<TL_KayitliAdisyonlar&>(shown);
        EXPECT_TRUE(w.isMaximized());
        QTest::mouseClick(w.cxButton6, Qt::LeftButton);
        closed = !w.isVisible();
    });
    ui::showModal<TL_KayitliAdisyonlar>(nullptr);
    EXPECT_TRUE(closed);
    // The list stays open with its last select.
    EXPECT_TRUE(bills()->active());
}

}  // namespace
