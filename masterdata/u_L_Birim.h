#pragma once

#include "platform/ui/Form.h"

class QToolBar;
class QToolButton;

namespace ui {
class DataGrid;
}

// The units of measure ("Birim Tanımları"): a pick-list of names that the
// product editor offers. Products keep the name itself, so renaming or
// deleting a unit changes no product.
class TL_Birim : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Birim(QWidget* owner = nullptr);

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    // The grid and its table view are one control here.
    ui::DataGrid* cxGrid1;
    ui::DataGrid* cxGrid1DBTableView1;

    void FormCreate();
    bool FormClose();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();

protected:
    bool formClose() override { return FormClose(); }
};
