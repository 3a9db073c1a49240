#include "BillsFixture.h"

#include "bills/TableButton.h"
#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

using namespace billstest;

namespace {

class TablePanel : public BillsFixture {
protected:
    // Replaces the demo tables by tables with the given ids.
    void useTables(std::initializer_list<int> ids)
    {
        exec(QStringLiteral("delete from MASA"));
        for (int id : ids)
            exec(QStringLiteral("insert into MASA (MASA_ID, MASA_ADI) values (%1, 'Masa %1')").arg(id));
    }
};

TEST_F(TablePanel, ButtonsAreIndexedByTableIdAndStandSideBySide)
{
    useTables({1, 2, 5});
    openPanel();
    ASSERT_EQ(TableButtons.size(), 6);
    for (int empty : {0, 3, 4})
        EXPECT_EQ(TableButtons[empty], nullptr) << empty;
    const int w = value(QStringLiteral("select MASA_W from AYARLAR")).toInt();
    const int h = value(QStringLiteral("select MASA_H from AYARLAR")).toInt();
    int left = 0;
    for (int id : {1, 2, 5}) {
        QAbstractButton* button = tableButton(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->objectName(), QStringLiteral("M%1").arg(id));
        EXPECT_EQ(button->text(), QStringLiteral("Masa %1").arg(id));
        EXPECT_EQ(button->parentWidget(), panel->pnl_Masa);
        EXPECT_EQ(button->geometry(), QRect(left, 0, w, h)) << id;
        left += w;
    }
}

TEST_F(TablePanel, ButtonsWrapWhenTheNextOneDoesNotFitTheBand)
{
    useTables({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    exec(QStringLiteral("update AYARLAR set MASA_W = 100, MASA_H = 60"));
    dm->T_Ayarlar->refresh();
    TL_Adisyon window;
    window.setWindowState(Qt::WindowNoState);
    window.resize(950, 700);
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(window.pnl_Masa->width(), 950);
    for (int id = 1; id <= 9; ++id)
        EXPECT_EQ(tableButton(id)->geometry(), QRect((id - 1) * 100, 0, 100, 60)) << id;
    EXPECT_EQ(tableButton(10)->geometry(), QRect(0, 60, 100, 60));
}

TEST_F(TablePanel, FacesShowTheTableStateInTheSettingsColours)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 2"));
    exec(QStringLiteral("update MASA set ACIK_KAPALI = null where MASA_ID = 3"));
    exec(QStringLiteral("update AYARLAR set MASA_FONT_SIZE = 15, MASA_FONT_COLOR = 255"));
    dm->T_Ayarlar->refresh();
    openPanel();
    EXPECT_EQ(buttonFace(1), settingsColor("MASA_COLOR"));
    EXPECT_EQ(buttonFace(2), settingsColor("MASA_COLOR_2"));
    auto* unset = qobject_cast<TableButton*>(tableButton(3));
    ASSERT_NE(unset, nullptr);
    EXPECT_FALSE(unset->hasFaceColor());
    EXPECT_EQ(unset->palette().color(QPalette::Button), QApplication::palette(unset).color(QPalette::Button));
    auto* free = qobject_cast<TableButton*>(tableButton(1));
    EXPECT_EQ(free->textColor(), QColor(255, 0, 0));
    EXPECT_EQ(free->font().pointSize(), 15);
}

TEST_F(TablePanel, OpensOnTheTableWithTheLargestId)
{
    openPanel();
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Adisyon Paneli"));
    EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 20);
    EXPECT_EQ(panel->cxDBLabel4->text(), QStringLiteral("Bahçe 4"));
}

TEST_F(TablePanel, ClickingATableShowsItsOpenBillAndAFreeOneShowsNothing)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}}, QStringLiteral("Cam kenarı"));
    openPanel();
    selectTable(3);
    EXPECT_EQ(panel->cxDBLabel4->text(), QStringLiteral("Masa 3"));
    EXPECT_EQ(panel->cxDBLabel1->text(), QString::number(bill));
    EXPECT_FALSE(panel->cxDBLabel2->text().isEmpty());
    EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("90,00TL"));
    EXPECT_EQ(panel->cxDBLabel5->text(), QStringLiteral("Cam kenarı"));
    EXPECT_EQ(panel->cxGrid1DBTableView1->shownRowCount(), 2);

    selectTable(4);
    for (ui::DataLabel* label : {panel->cxDBLabel1, panel->cxDBLabel2, panel->cxDBLabel3, panel->cxDBLabel5})
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_EQ(panel->cxGrid1DBTableView1->shownRowCount(), 0);
}

TEST_F(TablePanel, NoTablesGiveAnEmptyBandWithoutAnError)
{
    exec(QStringLiteral("delete from MASA"));
    openPanel();
    EXPECT_TRUE(TableButtons.isEmpty());
    EXPECT_TRUE(panel->pnl_Masa->findChildren<QAbstractButton*>().isEmpty());
    // The commands that need a table say so instead of inventing one.
    dialogs.expectNotice(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
    QTest::mouseClick(panel->tooAdisyn, Qt::LeftButton);
    dialogs.expectNotice(QStringLiteral("Adisyon yok!"), {}, ui::MessageIcon::Warning);
    QTest::mouseClick(panel->ToolButton4, Qt::LeftButton);
    EXPECT_EQ(value(QStringLiteral("select count(*) from MASA")).toInt(), 0);
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from ADISYON")).toInt(), 0);
}

TEST_F(TablePanel, PanelKaydetStoresTheBandHeightForTheNextOpening)
{
    openPanel();
    EXPECT_EQ(panel->pnl_Masa->height(), 260);
    const int room = panel->cxSplitter1->height() - panel->cxSplitter1->handleWidth();
    panel->cxSplitter1->setSizes({180, room - 180});
    QApplication::processEvents();
    ASSERT_EQ(panel->pnl_Masa->height(), 180);
    panel->PanelKaydet1->trigger();
    // Stored and committed: another connection sees it.
    EXPECT_EQ(value(QStringLiteral("select PNL_MASA_H from AYARLAR")).toInt(), 180);

    openPanel();
    EXPECT_EQ(panel->pnl_Masa->height(), 180);
}

TEST_F(TablePanel, GridLayoutIsSavedAndRestoredFromItsFile)
{
    openPanel();
    ui::DataGrid* grid = panel->cxGrid1DBTableView1;
    EXPECT_EQ(grid->columnOrder().first(), QStringLiteral("SN"));
    EXPECT_EQ(grid->columnCaption(QStringLiteral("CIKAN")), QStringLiteral("MIKTAR"));
    grid->setColumnHidden(QStringLiteral("SN"), true);
    grid->moveColumn(QStringLiteral("STOK_ADI"), 0);
    panel->GridKaydet1->trigger();
    ASSERT_TRUE(QFile::exists(ProgramFile(QStringLiteral("\\ini\\F_Adisyon.ini"))));

    openPanel();
    grid = panel->cxGrid1DBTableView1;
    EXPECT_TRUE(grid->isColumnHidden(QStringLiteral("SN")));
    EXPECT_EQ(grid->visibleColumns().first(), QStringLiteral("STOK_ADI"));

    EXPECT_FALSE(grid->isCustomizationVisible());
    panel->HataDenetle1->trigger();
    EXPECT_TRUE(grid->isCustomizationVisible());
    panel->HataDenetle1->trigger();
    EXPECT_FALSE(grid->isCustomizationVisible());
}

TEST_F(TablePanel, ToolbarButtonsAreLargeAndNamedByTheirCaptions)
{
    openPanel();
    const QList<std::pair<QToolButton*, QString>> buttons = {
        {panel->tooAdisyn, QStringLiteral("Yeni Adisyon")},   {panel->tooEk, QStringLiteral("Ek Adisyon")},
        {panel->ToolButton3, QStringLiteral("İptal")},        {panel->ToolButton4, QStringLiteral("Nakit Tahsilat")},
        {panel->ToolButton5, QStringLiteral("Kart Tahsilat")}, {panel->ToolButton6, QStringLiteral("Kısmı Tahsilat")},
        {panel->ToolButton9, QStringLiteral("Masa Degiştir")}, {panel->ToolButton8, QStringLiteral("İskonto")},
        {panel->ToolButton7, QStringLiteral("Yazdır")},       {panel->ToolButton2, QStringLiteral("Ön İzle")},
        {panel->ToolButton11, QStringLiteral("Dizayn")},      {panel->ToolButton1, QStringLiteral("Çıkış")},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->accessibleName(), caption);
        EXPECT_EQ(button->height(), 71) << caption.toStdString();
        EXPECT_GE(button->width(), 86) << caption.toStdString();
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(caption)) << caption.toStdString();
        EXPECT_FALSE(button->icon().isNull()) << caption.toStdString();
    }
    QTest::mouseClick(panel->ToolButton1, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

}  // namespace
