#pragma once

#include "platform/ui/Form.h"

class QToolBar;
class QToolButton;

namespace ui {
class DataGrid;
}

// The tables of the house ("Masa Listesi"): new, rename, and delete of a
// table without an open bill. Each table is a button of the bill panel the
// next time the panel is shown.
class TL_Masa : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Masa(QWidget* owner = nullptr);

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    // The grid and its table view are one control here.
    ui::DataGrid* cxGrid1;
    ui::DataGrid* cxGrid1DBTableView1;

    void FormCreate();
    void ToolButton1Click();
    void ToolButton2Click();
    void cxGrid1DBTableView1CellDblClick();
    void ToolButton3Click();
    void ToolButton4Click();

private:
    bool currentTableIsOpen() const;
};
