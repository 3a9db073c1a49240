#pragma once

#include <QListWidget>
#include <QWidget>

namespace ui {

class DataGrid;

// The column customisation window of a data grid: a small tool window
// listing the grid's hidden columns. A double click on one, or dragging it
// onto the grid's header, shows it again; dragging a caption from the header
// into the window hides that column.
class ColumnCustomization : public QWidget {
    Q_OBJECT

public:
    explicit ColumnCustomization(DataGrid* grid);

    QListWidget* list() const { return list_; }
    // Field names of the columns listed, in the grid's column order.
    QStringList listedColumns() const;
    void refresh();

private:
    DataGrid* grid_;
    QListWidget* list_;
};

}  // namespace ui
