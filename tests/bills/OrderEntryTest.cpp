#include "BillsFixture.h"

#include "bills/u_F_Adisyon.h"
#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DataMemo.h"
#include "platform/ui/Modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace billstest;

namespace {

const QString kUnsaved =
    QStringLiteral("Adisyon Fişi Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?");
const QString kRemoveLine = QStringLiteral("Adisyon hareketi silinecek! Devam edilsin mi?");

class OrderEntry : public BillsFixture {
protected:
    // Picks a product as the waiter does: its group, then its row.
    static void pick(TF_Adisyon& window, const QString& group, const QString& product)
    {
        ASSERT_TRUE(GroupQuery->locate(QStringLiteral("GRUP_ADI"), group)) << group.toStdString();
        ASSERT_TRUE(ProductQuery->locate(QStringLiteral("STOK_ADI"), product)) << product.toStdString();
        window.DBGrid2CellClick();
    }
    static void press(QAbstractButton* key) { QTest::mouseClick(key, Qt::LeftButton); }
    static void type(TF_Adisyon& window, const QString& keys)
    {
        for (QChar c : keys) {
            for (QPushButton* key : {window.cxButton1, window.cxButton2, window.cxButton3, window.cxButton4,
                                     window.cxButton5, window.cxButton6, window.cxButton7, window.cxButton8,
                                     window.cxButton9, window.cxButton10, window.cxButton11}) {
                if (key->text() == QString(c))
                    press(key);
            }
        }
    }
    static double quantity() { return dm->Q_AH->fieldByName(QStringLiteral("CIKAN"))->asFloat(); }
    // Makes the line of the product current in the lines list.
    static void selectLine(int stokId) { ASSERT_TRUE(dm->Q_AH->locate(QStringLiteral("STOK_ID"), stokId)); }

    void newBill(const std::function<void(TF_Adisyon&)>& act)
    {
        withOrderEntry([this] { press(panel->tooAdisyn); }, act);
    }
    void extraBill(const std::function<void(TF_Adisyon&)>& act)
    {
        withOrderEntry([this] { press(panel->tooEk); }, act);
    }
    int lineCount(int bill, int iptal = 1) const
    {
        return ownValue(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1 and IPTAL_ID = %2")
                            .arg(bill)
                            .arg(iptal))
            .toInt();
    }
};

TEST_F(OrderEntry, NewBillIsFilledAndSavedAndTheTableShowsOccupied)
{
    openPanel();
    selectTable(4);
    ASSERT_EQ(buttonFace(4), settingsColor("MASA_COLOR"));
    int bill = 0;
    newBill([&](TF_Adisyon& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("F_Adisyon"));
        EXPECT_EQ(w.cxDBLabel4->text(), QStringLiteral("Masa 4"));
        EXPECT_EQ(ModifiedState, 2);
        bill = int(dm->Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger());
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Türk Kahvesi"));
        pick(w, QStringLiteral("Soğuk İçecekler"), QStringLiteral("Su"));
        EXPECT_EQ(dm->Q_AH->recordCount(), 3);
        // The database filled in the product data at once.
        EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("STOK_ADI"))->asString(), QStringLiteral("Su"));
        EXPECT_EQ(quantity(), 1);

        selectLine(kCay);
        type(w, QStringLiteral("3"));
        EXPECT_EQ(w.lbNum->text(), QStringLiteral("3"));
        press(w.cxButton18);
        EXPECT_EQ(quantity(), 3);
        EXPECT_TRUE(w.lbNum->text().isEmpty());
        press(w.cxButton13);
        EXPECT_EQ(quantity(), 4);
        press(w.cxButton14);
        EXPECT_EQ(quantity(), 3);

        selectLine(kSu);
        dialogs.expectQuestion(kRemoveLine, {}, ui::MessageIcon::Warning, ui::DialogButton::Yes);
        press(w.cxButton15);
        EXPECT_EQ(dm->Q_AH->recordCount(), 2);

        // Typed as the on-screen keyboard types it (QTest knows only ASCII keys).
        w.cxDBMemo1->insertPlainText(QStringLiteral("Pencere kenarı"));
        EXPECT_EQ(ModifiedState, 2);
        press(w.cxButton17);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(ModifiedState, 0);
    // Everything is committed: another connection sees it.
    EXPECT_EQ(committedTableState(4), 2);
    EXPECT_EQ(value(QStringLiteral("select ACIKLAMA from ADISYON where ADISYON_ID = %1").arg(bill)).toString(),
              QStringLiteral("Pencere kenarı"));
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 2);
    EXPECT_EQ(value(QStringLiteral("select CIKAN from STOK_HAREKET where ADISYON_ID = %1 and STOK_ID = %2")
                        .arg(bill)
                        .arg(kCay))
                  .toDouble(),
              3);
    EXPECT_EQ(value(QStringLiteral("select TUTAR from STOK_HAREKET where ADISYON_ID = %1 and STOK_ID = %2")
                        .arg(bill)
                        .arg(kCay))
                  .toDouble(),
              52.5);
    EXPECT_EQ(value(QStringLiteral("select IPTAL_ID from STOK_HAREKET where ADISYON_ID = %1 and STOK_ID = %2")
                        .arg(bill)
                        .arg(kSu))
                  .toInt(),
              2);
    EXPECT_EQ(value(QStringLiteral("select GC_ID from STOK_HAREKET where ADISYON_ID = %1 and STOK_ID = %2")
                        .arg(bill)
                        .arg(kTurkKahvesi))
                  .toInt(),
              2);
    EXPECT_EQ(buttonFace(4), settingsColor("MASA_COLOR_2"));
    EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("112,50TL"));
}

TEST_F(OrderEntry, ClickingAProductRowAddsItsLine)
{
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        QApplication::processEvents();
        ASSERT_TRUE(GroupQuery->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Soğuk İçecekler")));
        QTableView* view = w.DBGrid2->view();
        ASSERT_EQ(view->model()->rowCount(), 7);
        const QRect cell = view->visualRect(view->model()->index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_EQ(dm->Q_AH->recordCount(), 1);
        EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("STOK_ADI"))->asString(), QStringLiteral("Kola"));
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, LeavingANewBillWithoutSavingLeavesNoBillAndAFreeTable)
{
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        // No keeps the window open with everything in it.
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
        press(w.cxButton16);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(dm->Q_AH->recordCount(), 1);
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        press(w.cxButton16);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from ADISYON")).toInt(), 0);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 0);
    EXPECT_EQ(tableState(4), 1);
    EXPECT_TRUE(dm->Q_Adisyon->isEmpty());
    EXPECT_EQ(buttonFace(4), settingsColor("MASA_COLOR"));
}

TEST_F(OrderEntry, LeavingAnExtraBillWithoutSavingKeepsItsEarlierLines)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur, 0, 2}});
    openPanel();
    selectTable(3);
    extraBill([&](TF_Adisyon& w) {
        EXPECT_EQ(ModifiedState, 0);
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        selectLine(kIhlamur);
        press(w.cxButton13);
        selectLine(kTurkKahvesi);
        dialogs.expectQuestion(kRemoveLine, {}, ui::MessageIcon::Warning, ui::DialogButton::Yes);
        press(w.cxButton15);
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
    EXPECT_EQ(lineCount(bill), 2);
    EXPECT_EQ(lineCount(bill, 2), 0);
    EXPECT_EQ(ownValue(QStringLiteral("select CIKAN from STOK_HAREKET where ADISYON_ID = %1 and STOK_ID = %2")
                           .arg(bill)
                           .arg(kIhlamur))
                  .toDouble(),
              2);
    EXPECT_EQ(tableState(3), 2);
    EXPECT_EQ(dm->Q_AH->recordCount(), 2);
    EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("140,00TL"));
}

TEST_F(OrderEntry, DiscardUndoesOnlyThisWindowsWork)
{
    // A payment done before the window opened stays done.
    const int paid = storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    press(panel->ToolButton4);
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
    EXPECT_EQ(ownValue(QStringLiteral("select TAHSILAT_ID from ADISYON where ADISYON_ID = %1").arg(paid)).toInt(), 1);
    EXPECT_EQ(tableState(3), 1);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from ADISYON")).toInt(), 1);
}

TEST_F(OrderEntry, ExtraBillLeftWithoutChangesClosesWithoutAQuestion)
{
    storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    extraBill([&](TF_Adisyon& w) {
        press(w.cxButton16);
        EXPECT_FALSE(w.isVisible());
    });
}

TEST_F(OrderEntry, GuardsRefuseANewBillOnAnOccupiedTableAndAnExtraOneOnAFreeTable)
{
    storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    ui::ModalHookScope none([](QDialog&) { ADD_FAILURE() << "no window may open"; });
    dialogs.expectNotice(QStringLiteral("Masa Açık"), {}, ui::MessageIcon::Warning);
    press(panel->tooAdisyn);
    selectTable(4);
    dialogs.expectNotice(QStringLiteral("Masa Kapalı"), {}, ui::MessageIcon::Warning);
    press(panel->tooEk);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from ADISYON")).toInt(), 1);
    EXPECT_EQ(ModifiedState, 0);
}

struct GroupingCase {
    const char* flag;
    int lines;
    double quantity;
};

class ProductGrouping : public OrderEntry, public ::testing::WithParamInterface<GroupingCase> {};

TEST_P(ProductGrouping, ThreePicksOfOneProduct)
{
    setSetting(QStringLiteral("STOK_GRUPLA"), QStringLiteral("'%1'").arg(QString::fromLatin1(GetParam().flag)));
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        for (int i = 0; i < 3; ++i)
            pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        EXPECT_EQ(dm->Q_AH->recordCount(), GetParam().lines);
        EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("STOK_ID"))->asInteger(), kCay);
        EXPECT_EQ(quantity(), GetParam().quantity);
        press(w.cxButton17);
    });
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), GetParam().lines);
    EXPECT_EQ(value(QStringLiteral("select sum(CIKAN) from STOK_HAREKET")).toDouble(), 3);
}

INSTANTIATE_TEST_SUITE_P(Flags, ProductGrouping,
                         ::testing::Values(GroupingCase{"True", 1, 3}, GroupingCase{"true", 3, 1},
                                           GroupingCase{"TRUE", 3, 1}, GroupingCase{"False", 3, 1}));

TEST_F(OrderEntry, GroupingAddsToTheFirstOfTwoLinesOfTheProduct)
{
    const int bill = storeOpenBill(3, {{kCay}, {kCay}});
    setSetting(QStringLiteral("STOK_GRUPLA"), QStringLiteral("'True'"));
    openPanel();
    selectTable(3);
    const int first = ownValue(QStringLiteral("select min(SN) from STOK_HAREKET where ADISYON_ID = %1").arg(bill)).toInt();
    extraBill([&](TF_Adisyon& w) {
        ASSERT_EQ(dm->Q_AH->fieldByName(QStringLiteral("SN"))->asInteger(), first);
        dm->Q_AH->last();
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("SN"))->asInteger(), first);
        EXPECT_EQ(quantity(), 2);
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, KeypadRefusalsAndTheConversionError)
{
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        dialogs.expectNotice(QStringLiteral("Hiç adisyon yok"), {}, ui::MessageIcon::Warning);
        press(w.cxButton5);
        EXPECT_TRUE(w.lbNum->text().isEmpty());
        dialogs.expectNotice(QStringLiteral("Hiç adisyon yok"), {}, ui::MessageIcon::Warning);
        press(w.cxButton13);
        dialogs.expectNotice(QStringLiteral("Hiç adisyon yok"), {}, ui::MessageIcon::Warning);
        press(w.cxButton14);
        // "Hareket Sil" asks, and without lines changes nothing.
        dialogs.expectQuestion(kRemoveLine, {}, ui::MessageIcon::Warning, ui::DialogButton::Yes);
        press(w.cxButton15);

        dialogs.expectNotice(QStringLiteral("Numerik bir değer oluşturunuz"));
        press(w.cxButton18);

        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        type(w, QStringLiteral("1,2,3"));
        EXPECT_EQ(w.lbNum->text(), QStringLiteral("1,2,3"));
        dialogs.expectError(QStringLiteral("'1,2,3' is not a valid floating point value"));
        press(w.cxButton18);
        EXPECT_EQ(quantity(), 1);
        EXPECT_EQ(w.lbNum->text(), QStringLiteral("1,2,3"));
        EXPECT_EQ(dm->Q_AH->state(), db::DatasetState::Browse);
        press(w.cxButton12);
        EXPECT_TRUE(w.lbNum->text().isEmpty());

        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, KeypadQuantitiesReplaceTheLinesQuantity)
{
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        const std::pair<const char*, double> cases[] = {{"2,5", 2.5}, {"007", 7}, {"0", 0}, {"12", 12}};
        for (const auto& [keys, expected] : cases) {
            type(w, QString::fromLatin1(keys));
            press(w.cxButton18);
            EXPECT_EQ(quantity(), expected) << keys;
            EXPECT_TRUE(w.lbNum->text().isEmpty()) << keys;
        }
        type(w, QStringLiteral("2,5"));
        press(w.cxButton18);
        press(w.cxButton13);
        EXPECT_EQ(quantity(), 3.5);
        press(w.cxButton12);
        type(w, QStringLiteral("1"));
        press(w.cxButton18);
        press(w.cxButton14);
        EXPECT_EQ(quantity(), 0);
        EXPECT_EQ(dm->Q_AH->recordCount(), 1);
        press(w.cxButton14);
        EXPECT_EQ(quantity(), -1);
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, RemovingALineAnsweredNoChangesNothing)
{
    const int bill = storeOpenBill(3, {{kCay}, {kSu}});
    openPanel();
    selectTable(3);
    extraBill([&](TF_Adisyon& w) {
        dialogs.expectQuestion(kRemoveLine, {}, ui::MessageIcon::Warning, ui::DialogButton::No);
        press(w.cxButton15);
        EXPECT_EQ(dm->Q_AH->recordCount(), 2);
        EXPECT_EQ(ModifiedState, 0);
        w.close();
    });
    EXPECT_EQ(lineCount(bill), 2);
}

TEST_F(OrderEntry, SavingFailsWhileAnotherTerminalHoldsTheTable)
{
    openPanel();
    selectTable(4);
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update MASA set MASA_ADI = MASA_ADI where MASA_ID = 4"));
    hold.execute();
    newBill([&](TF_Adisyon& w) {
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        // The failure is reported, then the closing asks; No keeps the order.
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
        press(w.cxButton17);
        EXPECT_EQ(dialogs.lockErrors.size(), 1);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(buttonFace(4), settingsColor("MASA_COLOR"));
        EXPECT_EQ(tableState(4), 1);
        EXPECT_EQ(dm->Q_Masa->state(), db::DatasetState::Browse);
        EXPECT_EQ(ModifiedState, 2);

        // Once the other terminal lets go, saving works.
        other.transaction->rollback();
        press(w.cxButton17);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(committedTableState(4), 2);
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 1);
    EXPECT_EQ(buttonFace(4), settingsColor("MASA_COLOR_2"));
}

TEST_F(OrderEntry, ListsTakeTheirSizesFromTheSettings)
{
    exec(QStringLiteral("update AYARLAR set GRD_1_W = 150, GRD_1_FONT_SIZE = 16, GRD_2_W = 190, "
                        "GRD_2_FONT_SIZE = 13"));
    dm->T_Ayarlar->refresh();
    openPanel();
    selectTable(4);
    newBill([&](TF_Adisyon& w) {
        QApplication::processEvents();
        EXPECT_EQ(w.DBGrid1->font().pointSize(), 16);
        EXPECT_EQ(w.DBGrid2->font().pointSize(), 13);
        EXPECT_EQ(w.DBGrid1->width(), 150);
        EXPECT_EQ(w.DBGrid2->width(), 190);
        EXPECT_EQ(w.cxButton1->size(), QSize(81, 57));
        EXPECT_EQ(w.cxButton18->size(), QSize(257, 65));
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, LayoutSavedFromTheMenuCommitsWorkSoFarButStillAsksOnLeaving)
{
    openPanel();
    selectTable(4);
    int bill = 0;
    newBill([&](TF_Adisyon& w) {
        QApplication::processEvents();
        bill = int(dm->Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger());
        pick(w, QStringLiteral("Sıcak İçecekler"), QStringLiteral("Çay"));
        w.splitter->setSizes({140, 180, w.splitter->width() - 320 - 2 * w.splitter->handleWidth()});
        w.cxGrid1DBTableView1->setColumnHidden(QStringLiteral("SN"), true);
        w.Kaydet1->trigger();
        pick(w, QStringLiteral("Soğuk İçecekler"), QStringLiteral("Su"));
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        press(w.cxButton16);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(value(QStringLiteral("select GRD_1_W from AYARLAR")).toInt(), 140);
    EXPECT_EQ(value(QStringLiteral("select GRD_2_W from AYARLAR")).toInt(), 180);
    EXPECT_EQ(value(QStringLiteral("select GRD_1_FONT_SIZE from AYARLAR")).toInt(), 14);
    for (const char* file : {"\\ini\\Grd1.txt", "\\ini\\Grd2.txt", "\\ini\\fAdisyon.ini"})
        EXPECT_TRUE(QFile::exists(ProgramFile(QString::fromLatin1(file)))) << file;
    // The bill and the line entered before the layout was saved stay; the
    // table is not marked open.
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 1);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from STOK_HAREKET")).toInt(), 1);
    EXPECT_EQ(tableState(4), 1);

    // The next window takes the saved sizes and layout.
    selectTable(5);
    newBill([&](TF_Adisyon& w) {
        QApplication::processEvents();
        EXPECT_EQ(w.DBGrid1->width(), 140);
        EXPECT_TRUE(w.cxGrid1DBTableView1->isColumnHidden(QStringLiteral("SN")));
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, AnUnreadableColumnFileIsReportedAndTheRestOfTheLayoutSkipped)
{
    QFile damaged(ProgramFile(QStringLiteral("\\ini\\Grd1.txt")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("garbage");
    damaged.close();
    openPanel();
    selectTable(4);
    dialogs.expectError(QStringLiteral("Sütun dosyası okunamadı: %1").arg(ProgramFile(QStringLiteral("\\ini\\Grd1.txt"))));
    newBill([&](TF_Adisyon& w) {
        EXPECT_EQ(w.DBGrid1->columnOrder(), QStringList{QStringLiteral("GRUP_ADI")});
        dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
        w.close();
    });
}

TEST_F(OrderEntry, GridCustomisationOpensAndCloses)
{
    storeOpenBill(3, {{kCay}});
    openPanel();
    selectTable(3);
    extraBill([&](TF_Adisyon& w) {
        EXPECT_FALSE(w.cxGrid1DBTableView1->isCustomizationVisible());
        w.Gridzelletir1->trigger();
        EXPECT_TRUE(w.cxGrid1DBTableView1->isCustomizationVisible());
        w.Gridzelletir1->trigger();
        EXPECT_FALSE(w.cxGrid1DBTableView1->isCustomizationVisible());
        EXPECT_EQ(w.cxGrid1DBTableView1->columnCaption(QStringLiteral("CIKAN")), QStringLiteral("MIKTAR"));
        w.close();
    });
}

}  // namespace
