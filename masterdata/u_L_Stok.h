#pragma once

#include "platform/ui/Form.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace ui {
class DataGrid;
}

// The product list ("Stok Listesi"): all products, with new, edit and
// delete. The editor works on the list's current row of Q_Stok.
class TL_Stok : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Stok(QWidget* owner = nullptr);

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    ui::DataGrid* cxGrid1DBTableView1;
    QMenu* PopupMenu1;
    QAction* zelletir1;
    QAction* Kaydet1;

    void FormCreate();
    bool FormClose();
    void ToolButton1Click();
    void ToolButton2Click();
    void cxGrid1DBTableView1CellDblClick();
    void ToolButton3Click();
    void ToolButton4Click();
    void zelletir1Click();
    void Kaydet1Click();

    // Where the list keeps its layout, beside the program.
    static QString layoutFile();

protected:
    bool formClose() override { return FormClose(); }
};
