#pragma once

#include "platform/ui/Form.h"

class QToolBar;
class QToolButton;

namespace ui {
class DataGrid;
}

// The product groups ("Grup Tanımları"): new, rename, delete, the display
// order typed in place, and the per-group product window.
class TL_Grup : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Grup(QWidget* owner = nullptr);

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton5;
    QToolButton* ToolButton4;
    // The grid and its table view are one control here.
    ui::DataGrid* cxGrid1;
    ui::DataGrid* cxGrid1DBTableView1;

    void FormCreate();
    bool FormClose();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton5Click();
    void ToolButton4Click();

protected:
    bool formClose() override { return FormClose(); }
};
