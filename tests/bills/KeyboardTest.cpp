// The bill panel, the order-entry window and the table change worked
// without a mouse, by finger, and on a screen of twice the pixel density.

#include "BillsFixture.h"

#include "bills/u_F_Adisyon.h"
#include "bills/u_F_MasaChange.h"
#include "bills/u_L_Adisyon.h"
#include "ui/support/Keyboard.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DataMemo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QTest>
#include <QToolButton>

using namespace billstest;

// The bills' pictures live in a static library: registered by hand here, as
// their windows do.
static void loadBillPictures()
{
    Q_INIT_RESOURCE(bills);
}

namespace {

const QString kUnsaved =
    QStringLiteral("Adisyon Fişi Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?");

class BillKeys : public BillsFixture {
protected:
    QList<QWidget*> tables() const
    {
        QList<QWidget*> buttons;
        for (const auto& button : TableButtons) {
            if (button)
                buttons.append(button);
        }
        return buttons;
    }
    static int currentTable() { return int(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger()); }
    static double quantity() { return dm->Q_AH->fieldByName(QStringLiteral("CIKAN"))->asFloat(); }
    // The keypad's key press shows the key pressed for a moment before it acts.
    static void waitForKeypad() { QTest::qWait(200); }
};

struct Command {
    const char* caption;
    QAbstractButton* button;
};

TEST_F(BillKeys, PanelCommandsAreTabStopsAfterTheTablesAndFingerSized)
{
    TL_Adisyon& w = openPanel();
    // On a narrow screen the toolbar folds its last commands behind its
    // extension button, which the keys reach too.
    w.resize(640, 480);
    QApplication::processEvents();
    if (!w.ToolButton1->isVisible()) {
        auto* more = w.tooAdisyon->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        ASSERT_NE(more, nullptr);
        EXPECT_TRUE(uitest::tabChain(&w).contains(more));
    }
    // A screen wide enough for the whole toolbar.
    w.resize(1600, 900);
    QApplication::processEvents();
    const Command commands[] = {
        {"Yeni Adisyon", w.tooAdisyn},  {"Ek Adisyon", w.tooEk},     {"İptal", w.ToolButton3},
        {"Nakit Tahsilat", w.ToolButton4}, {"Kart Tahsilat", w.ToolButton5}, {"Kısmı Tahsilat", w.ToolButton6},
        {"Masa Degiştir", w.ToolButton9}, {"İskonto", w.ToolButton8},  {"Yazdır", w.ToolButton7},
        {"Ön İzle", w.ToolButton2},     {"Dizayn", w.ToolButton11}, {"Çıkış", w.ToolButton1},
    };
    QList<QWidget*> expected = tables();
    ASSERT_FALSE(expected.isEmpty());
    for (const Command& c : commands) {
        EXPECT_EQ(c.button->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(uitest::keyboardReachable(c.button)) << c.caption;
        EXPECT_TRUE(uitest::fingerSized(c.button)) << c.caption;
        EXPECT_TRUE(uitest::sharpAtDoubleScale(c.button->icon(), c.button->iconSize())) << c.caption;
        expected.append(c.button);
    }
    expected.append(w.cxGrid1DBTableView1->view());
    // Tab walks the tables in their order on the band, then the commands,
    // then the bill's lines.
    const auto names = [](const QList<QWidget*>& widgets) {
        QStringList list;
        for (QWidget* widget : widgets)
            list << widget->objectName();
        return list;
    };
    QList<QWidget*> walked;
    for (QWidget* stop : uitest::tabChain(&w)) {
        if (expected.contains(stop))
            walked.append(stop);
    }
    EXPECT_EQ(names(walked), names(expected));
    // With the settings as shipped every table is a fingertip's size.
    for (QWidget* table : tables())
        EXPECT_TRUE(uitest::fingerSized(table)) << table->objectName().toStdString();
    // The keys start on the current table.
    EXPECT_EQ(w.focusWidget(), tableButton(currentTable()));
}

struct TableKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

TEST_F(BillKeys, SpaceOrEnterOnATableSelectsIt)
{
    const TableKeyCase cases[] = {
        {"Space", Qt::Key_Space, Qt::NoModifier},
        {"Enter", Qt::Key_Return, Qt::NoModifier},
        {"Enter of the number pad", Qt::Key_Enter, Qt::KeypadModifier},
    };
    TL_Adisyon& w = openPanel();
    ASSERT_TRUE(uitest::activate(&w));
    int target = 2;
    for (const auto& c : cases) {
        QAbstractButton* table = tableButton(target);
        ASSERT_NE(table, nullptr);
        table->setFocus(Qt::TabFocusReason);
        QTest::keyClick(table, c.key, c.modifiers);
        EXPECT_EQ(currentTable(), target) << c.name;
        EXPECT_EQ(w.cxDBLabel4->text(), table->text()) << c.name;
        ++target;
    }
}

TEST_F(BillKeys, ArrowKeysWalkTheTables)
{
    TL_Adisyon& w = openPanel();
    ASSERT_TRUE(uitest::activate(&w));
    tableButton(2)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tableButton(2), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), tableButton(3));
    QTest::keyClick(tableButton(3), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), tableButton(2));
    QTest::keyClick(tableButton(2), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), tableButton(3));
}

TEST_F(BillKeys, SpaceOnNewBillOpensOrderEntryWhereEveryCommandHasAKeyAndEscapeAsks)
{
    TL_Adisyon& panel = openPanel();
    selectTable(4);
    ASSERT_TRUE(uitest::activate(&panel));
    bool opened = false;
    withOrderEntry(
        [&] {
            panel.tooAdisyn->setFocus(Qt::TabFocusReason);
            QTest::keyClick(panel.tooAdisyn, Qt::Key_Space);
        },
        [&](TF_Adisyon& w) {
            opened = true;
            ASSERT_TRUE(uitest::activate(&w));
            const Command commands[] = {
                {"Kaydet", w.cxButton17}, {"Çıkış", w.cxButton16}, {"1", w.cxButton1},  {"2", w.cxButton2},
                {"3", w.cxButton3},       {"4", w.cxButton4},      {"5", w.cxButton5},  {"6", w.cxButton6},
                {"7", w.cxButton7},       {"8", w.cxButton8},      {"9", w.cxButton9},  {",", w.cxButton10},
                {"0", w.cxButton11},      {"Sil", w.cxButton12},   {"Tamam", w.cxButton18}, {"+", w.cxButton13},
                {"-", w.cxButton14},      {"Hareket Sil", w.cxButton15},
            };
            for (const Command& c : commands) {
                EXPECT_EQ(c.button->text(), QString::fromUtf8(c.caption));
                EXPECT_TRUE(uitest::keyboardReachable(c.button)) << c.caption;
                EXPECT_TRUE(uitest::fingerSized(c.button)) << c.caption;
            }
            // Work starts in the group list, so Enter saves nothing by surprise.
            EXPECT_EQ(w.focusWidget(), w.DBGrid1->view());
            const QList<QWidget*> chain = uitest::tabChain(&w);
            EXPECT_LT(chain.indexOf(w.DBGrid1->view()), chain.indexOf(w.DBGrid2->view()));
            EXPECT_LT(chain.indexOf(w.DBGrid2->view()), chain.indexOf(w.cxButton18));

            // Escape closes through the unsaved-work question; No keeps the window.
            dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
            QTest::keyClick(w.DBGrid1->view(), Qt::Key_Escape);
            dialogs.verify();
            EXPECT_TRUE(w.isVisible());
            dialogs.expectQuestion(kUnsaved, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
            QTest::keyClick(w.DBGrid1->view(), Qt::Key_Escape);
            EXPECT_FALSE(w.isVisible());
        });
    EXPECT_TRUE(opened);
}

TEST_F(BillKeys, ProductsArePickedAndQuantitiesTypedOnTheKeyboard)
{
    TL_Adisyon& panel = openPanel();
    selectTable(4);
    withOrderEntry([&] { QTest::mouseClick(panel.tooAdisyn, Qt::LeftButton); },
                   [&](TF_Adisyon& w) {
                       ASSERT_TRUE(uitest::activate(&w));
                       // Digits need a line to act on.
                       dialogs.expectNotice(QStringLiteral("Hiç adisyon yok"), {}, ui::MessageIcon::Warning);
                       QTest::keyClick(w.DBGrid1->view(), Qt::Key_7);
                       waitForKeypad();
                       dialogs.verify();
                       EXPECT_EQ(w.lbNum->text(), QString());

                       // Down in the group list is the next group, Space in the product
                       // list picks the product under the cursor.
                       QTableView* groups = w.DBGrid1->view();
                       groups->setFocus(Qt::TabFocusReason);
                       const QVariant firstGroup = GroupQuery->fieldByName(QStringLiteral("GRUP_ID"))->value();
                       QTest::keyClick(groups, Qt::Key_Down);
                       EXPECT_NE(GroupQuery->fieldByName(QStringLiteral("GRUP_ID"))->asInteger(),
                                 firstGroup.toLongLong());
                       QTableView* products = w.DBGrid2->view();
                       products->setFocus(Qt::TabFocusReason);
                       const QVariant product = ProductQuery->fieldByName(QStringLiteral("STOK_ID"))->value();
                       QTest::keyClick(products, Qt::Key_Space);
                       ASSERT_EQ(dm->Q_AH->recordCount(), 1);
                       EXPECT_EQ(dm->Q_AH->fieldByName(QStringLiteral("STOK_ID"))->asInteger(), product.toLongLong());
                       QTest::keyClick(products, Qt::Key_Return);
                       EXPECT_EQ(dm->Q_AH->recordCount(), 2);

                       // 2,5 typed and confirmed with Enter, from wherever the focus is
                       // but a button or the note.
                       for (Qt::Key key : {Qt::Key_2, Qt::Key_Comma, Qt::Key_5})
                           QTest::keyClick(products, key);
                       waitForKeypad();
                       EXPECT_EQ(w.lbNum->text(), QStringLiteral("2,5"));
                       QTest::keyClick(w.cxGrid1DBTableView1->view(), Qt::Key_Return);
                       EXPECT_DOUBLE_EQ(quantity(), 2.5);
                       EXPECT_EQ(w.lbNum->text(), QString());

                       // The number pad's digits and Enter, "+" and "-".
                       QTest::keyClick(products, Qt::Key_4, Qt::KeypadModifier);
                       waitForKeypad();
                       EXPECT_EQ(w.lbNum->text(), QStringLiteral("4"));
                       QTest::keyClick(w.cxGrid1DBTableView1->view(), Qt::Key_Enter, Qt::KeypadModifier);
                       EXPECT_DOUBLE_EQ(quantity(), 4);
                       QTest::keyClick(products, Qt::Key_Plus);
                       waitForKeypad();
                       EXPECT_DOUBLE_EQ(quantity(), 5);
                       QTest::keyClick(products, Qt::Key_Minus);
                       waitForKeypad();
                       EXPECT_DOUBLE_EQ(quantity(), 4);

                       // Backspace is "Sil"; in the note the keys are the note's own.
                       QTest::keyClick(products, Qt::Key_9);
                       waitForKeypad();
                       QTest::keyClick(products, Qt::Key_Backspace);
                       waitForKeypad();
                       EXPECT_EQ(w.lbNum->text(), QString());
                       w.cxDBMemo1->setFocus(Qt::TabFocusReason);
                       QTest::keyClick(w.cxDBMemo1, Qt::Key_3);
                       waitForKeypad();
                       EXPECT_EQ(w.lbNum->text(), QString());

                       // Enter on a focused command presses that command.
                       w.cxButton17->setFocus(Qt::TabFocusReason);
                       QTest::keyClick(w.cxButton17, Qt::Key_Return);
                       EXPECT_FALSE(w.isVisible());
                   });
    EXPECT_EQ(tableState(4), 2);
}

TEST_F(BillKeys, TableChangeIsChosenWithArrowsAndEnter)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    withTableChange([&](TF_MasaChange& w) {
        ASSERT_TRUE(uitest::activate(&w));
        for (QPushButton* button : {w.BitBtn1, w.BitBtn2}) {
            EXPECT_TRUE(uitest::keyboardReachable(button)) << button->text().toStdString();
            EXPECT_TRUE(uitest::fingerSized(button)) << button->text().toStdString();
        }
        EXPECT_EQ(uitest::tabChain(&w), (QList<QWidget*>{w.cxComboBox1, w.BitBtn1, w.BitBtn2}));
        EXPECT_EQ(w.focusWidget(), w.cxComboBox1);
        // Enter without a choice asks for one, as "Tamam" does.
        dialogs.expectNotice(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
        QTest::keyClick(w.cxComboBox1, Qt::Key_Return);
        dialogs.verify();
        EXPECT_TRUE(w.isVisible());
        QTest::keyClick(w.cxComboBox1, Qt::Key_Down);
        ASSERT_EQ(w.cxComboBox1->currentText(), QStringLiteral("Masa 1"));
        QTest::keyClick(w.cxComboBox1, Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(value(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 1);
}

TEST_F(BillKeys, EnterOnAFocusedExitLeavesTheTableChange)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    withTableChange([&](TF_MasaChange& w) {
        ASSERT_TRUE(uitest::activate(&w));
        w.cxComboBox1->setCurrentIndex(0);
        w.BitBtn2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.BitBtn2, Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(value(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 3);
}

TEST(BillPictures, TheTablePictureIsADrawing)
{
    loadBillPictures();
    EXPECT_TRUE(uitest::sharpAtDoubleScale(QIcon(QStringLiteral(":/bills/masa.svg")), QSize(49, 49)));
}

}  // namespace
