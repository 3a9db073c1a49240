#pragma once

#include "platform/ui/Form.h"

#include <QString>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidget;

namespace ui {
class DataGrid;
class DataLabel;
}  // namespace ui

// The bill panel: every table of the house as a button coloured by its
// state, the open bill of the current table with its lines and amount due,
// and the bill commands: new and extra bill, cancel, the three collections,
// table change, discounts and the bill slip.
class TL_Adisyon : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Adisyon(QWidget* owner = nullptr);
    ~TL_Adisyon() override;

    // Upper band: the table buttons.
    QSplitter* cxSplitter1;
    QFrame* pnl_Masa;
    QWidget* pnl_Alt;

    QToolBar* tooAdisyon;
    QToolButton* tooAdisyn;
    QToolButton* tooEk;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton6;
    QToolButton* ToolButton9;
    QToolButton* ToolButton8;
    QToolButton* ToolButton7;
    QToolButton* ToolButton2;
    QToolButton* ToolButton11;
    QToolButton* ToolButton1;
    QMenu* PopupMenu2;
    QAction* Yzde1;
    QAction* utar1;

    QFrame* Panel1;
    ui::DataLabel* cxDBLabel4;
    ui::DataLabel* cxDBLabel1;
    ui::DataLabel* cxDBLabel2;
    ui::DataLabel* cxDBLabel3;
    ui::DataLabel* cxDBLabel5;
    ui::DataGrid* cxGrid1DBTableView1;

    QMenu* PopupMenu1;
    QAction* PanelKaydet1;
    QAction* HataDenetle1;
    QAction* GridKaydet1;

    void FormCreate();
    void FormShow();

    void tooAdisynClick();
    void tooEkClick();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton6Click();
    void ToolButton9Click();
    void Yzde1Click();
    void utar1Click();
    void ToolButton7Click();
    void ToolButton2Click();
    void ToolButton11Click();
    void ToolButton1Click();

    void PanelKaydet1Click();
    void HataDenetle1Click();
    void GridKaydet1Click();

    // Another terminal may have closed or moved the current table's bill
    // since the panel read it; storing the stale row would undo that work.
    // Raises an error then.
    static void requireBillStillOpen();

protected:
    void formShow() override;

private:
    enum class Closing { Cancel, Cash, Card, Partial };

    QToolButton* addCommand(const QString& name, const QString& caption, const QString& icon);
    void buildTablePanel();
    void buildBillPanel();
    void buildLinesGrid();
    void orderKeyboardFocus();
    void closeBill(Closing kind);
    void applyDiscount(double percent);
};
