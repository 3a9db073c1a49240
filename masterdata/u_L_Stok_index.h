#pragma once

#include "platform/ui/Form.h"

namespace ui {
class DataGrid;
class DataLabel;
}  // namespace ui

// The products of one group ("Stok index"), with their names and their
// order numbers typed in place. It borrows Q_Stok with a statement of its
// own, under the groups' data source, and gives it back closed, with the
// plain statement and no master.
class TL_Stok_index : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Stok_index(QWidget* owner = nullptr);
    ~TL_Stok_index() override;

    ui::DataLabel* cxDBLabel4;
    ui::DataGrid* cxGrid1DBTableView1;

    void FormCreate();
    bool FormClose();

protected:
    bool formClose() override { return FormClose(); }

private:
    void giveBackProducts() noexcept;

    int modifiedStateBefore_ = 0;
    bool borrowed_ = false;
};
