#pragma once

#include "GridColumn.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace db {
class DataSource;
class Dataset;
}  // namespace db

namespace ui {

class ColumnCustomization;
class DatasetModel;
class FilterHeader;
class GridProxyModel;
struct GridLayout;

// The data grid: a table view of the rows of a data source, with a row
// indicator, the current row kept in step with the dataset's current row in
// both directions, sorting by a click on a caption, optional in-place
// editing through the fields, an optional filter row under the captions, an
// optional footer of sums over the rows shown, a column customisation
// window, and layouts saved to and restored from files by field name.
//
// Columns are addressed by field name. Rows are read from the dataset as
// they are painted, so a grid over 200,000 rows opens and scrolls at once.
class DataGrid : public QWidget {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setDataSource(db::DataSource* source);
    db::DataSource* dataSource() const;
    db::Dataset* dataset() const;

    // The designed columns, in the designed order; without them the grid
    // shows every visible field of the dataset.
    void setColumns(const QList<GridColumn>& columns);
    // Columns as designed, or the automatic ones.
    QList<GridColumn> columns() const;

    // In-place editing: a typed value goes through the field (which may
    // refuse it; the error box then tells why). Off by default.
    void setEditable(bool editable);
    bool isEditable() const;

    void setRowIndicatorVisible(bool visible);
    // Rows alternately white and silver, a black header with bold yellow
    // captions, the selected row teal with white text.
    void setHighContrast(bool on);
    bool isHighContrast() const { return highContrast_; }

    // Columns, by field name ------------------------------------------------
    int columnIndex(const QString& field) const;
    QString columnField(int logicalIndex) const;
    QString columnCaption(const QString& field) const;
    // Every column in the order shown, hidden ones included.
    QStringList columnOrder() const;
    // The columns shown, in the order shown.
    QStringList visibleColumns() const;
    QStringList hiddenColumns() const;
    // Moves a column to a position in columnOrder().
    void moveColumn(const QString& field, int position);
    bool isColumnHidden(const QString& field) const;
    void setColumnHidden(const QString& field, bool hidden);
    // A hidden column's width is the one it comes back with.
    int columnWidth(const QString& field) const;
    void setColumnWidth(const QString& field, int width);

    // An empty field name brings back the dataset's order.
    void sortBy(const QString& field, Qt::SortOrder order = Qt::AscendingOrder);
    QString sortField() const;
    Qt::SortOrder sortOrder() const;

    // Layout files -----------------------------------------------------------
    // Writes column order, widths, visibility and sorting; raises FileError
    // when the file cannot be written.
    void saveLayout(const QString& path) const;
    // Applies a layout file. Columns the file does not name keep their
    // designed state; names of no column are ignored. A missing, unreadable
    // or damaged file changes nothing and returns false. Filter texts in the
    // file apply only to a grid whose filter row is shown (a filter nobody
    // can see would hide rows for no visible reason); footer sums in the
    // file are added to the footer.
    bool restoreLayout(const QString& path);
    // The same for a file that must be there: a missing, unreadable or
    // damaged file raises FileError and changes nothing.
    void loadLayout(const QString& path);
    void applyLayout(const GridLayout& layout);

    // Filter row -----------------------------------------------------------
    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const;
    // Sets and applies a filter at once; an empty text removes it.
    void setFilterText(const QString& field, const QString& text);
    QString filterText(const QString& field) const;
    void clearFilters();
    QLineEdit* filterEdit(const QString& field) const;
    // Typing filters after a short pause; this applies typed text now.
    void applyTypedFilters();
    static constexpr int filterDelayMs = 150;

    // Footer -----------------------------------------------------------------
    // Shows the sum of the field's values over the rows shown, in the number
    // format given ("###,###,##0.00").
    void setFooterSum(const QString& field, const QString& format);
    void removeFooterSum(const QString& field);
    bool hasFooter() const { return !footerFormats_.isEmpty(); }
    double footerSum(const QString& field) const;
    QString footerText(const QString& field) const;

    // Column customisation ---------------------------------------------------
    void toggleCustomization();
    bool isCustomizationVisible() const;
    ColumnCustomization* customization() const { return customization_; }

    // Rows in the order shown ------------------------------------------------
    int shownRowCount() const;
    // The dataset row shown at a place, -1 when none.
    int datasetRowAt(int shownRow) const;
    // Where the dataset's current row is shown, -1 when it is not.
    int shownRowOfCurrent() const;
    // Moves the dataset to the first or last row shown.
    void goFirst();
    void goLast();

    QTableView* view() const;
    FilterHeader* filterHeader() const { return header_; }
    DatasetModel* datasetModel() const { return model_; }
    GridProxyModel* proxyModel() const { return proxy_; }

signals:
    void cellClicked();
    void cellDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void attachDataset();
    void applyDesign();
    void refineWidths();
    int designedWidth(int logicalIndex) const;
    void columnsChanged();
    void viewRowChanged(const QModelIndex& current);
    void followDataset();
    void moveDatasetTo(int datasetRow);
    void rowsShownChanged();
    void filterTyped();
    void setFilters(const QHash<int, QString>& texts);
    void keepCurrentRowShown();
    void updateFooter();
    void placeFooter();
    void rememberWidth(int logicalIndex);
    void showColumnAt(int logicalIndex, int slot);
    void applyStyle();
    void fitRowsToFont();

    QPointer<db::DataSource> source_;
    QPointer<db::Dataset> dataset_;
    QMetaObject::Connection sourceConnection_;
    QList<QMetaObject::Connection> datasetConnections_;
    QTableView* view_;
    FilterHeader* header_;
    DatasetModel* model_;
    GridProxyModel* proxy_;
    QWidget* footer_;
    QWidget* footerCells_;
    QHash<QString, QLabel*> footerLabels_;
    QHash<QString, QString> footerFormats_;
    ColumnCustomization* customization_;
    QTimer* filterTimer_;
    QHash<QString, int> hiddenWidths_;  // by upper-case field name
    // Widths worked out before the dataset told the fields' sizes.
    QHash<QString, int> provisionalWidths_;
    std::unique_ptr<GridLayout> pendingLayout_;  // for columns still to come
    bool highContrast_ = false;
    bool following_ = false;
};

}  // namespace ui
