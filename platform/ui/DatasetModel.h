#pragma once

#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

namespace db {
class DataSource;
class Dataset;
class Field;
}  // namespace db

namespace ui {

// The rows of a dataset as a table model. Values are read straight from the
// dataset's rows when a cell is painted, so a model over 200,000 rows costs
// nothing until rows are shown. Columns are the designed ones, by field
// name, or else every visible field of the dataset.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The dataset's value of a cell, unformatted.
    static constexpr int RawValueRole = Qt::UserRole + 1;
    // The field name of a column (horizontal header).
    static constexpr int FieldNameRole = Qt::UserRole + 2;

    explicit DatasetModel(QObject* parent = nullptr);

    void setDataSource(db::DataSource* source);
    db::DataSource* dataSource() const;
    db::Dataset* dataset() const;

    // An empty list shows every visible field, in the dataset's order.
    void setColumns(const QList<GridColumn>& columns);
    bool hasDesignedColumns() const { return !designed_.isEmpty(); }
    const QList<GridColumn>& columns() const { return columns_; }
    int columnOfField(const QString& fieldName) const;
    QString fieldNameAt(int column) const;
    db::Field* fieldAt(int column) const;
    bool isNumericColumn(int column) const;

    // In-place editing, through the fields (which convert and may refuse).
    void setEditable(bool editable);
    bool isEditable() const { return editable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Direct cell access for sorting, filtering and sums.
    QVariant rawValue(int row, int column) const;
    QString displayText(int row, int column) const;
    // The display text folded for case-insensitive matching; the texts of a
    // column are worked out once and kept until the rows change.
    const QString& foldedText(int row, int column) const;

signals:
    // The set of columns changed (designed anew, or the automatic columns
    // of a dataset opened on another select).
    void columnsChanged();

private:
    void attach();
    void rowsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowUpdated(int row);
    void currentMoved(int row);
    void stateChanged();
    bool resolveColumns();
    int datasetRow(int row) const;
    void ensureFolded(int column) const;

    QPointer<db::DataSource> source_;
    QPointer<db::Dataset> dataset_;
    QMetaObject::Connection sourceConnection_;
    QList<QMetaObject::Connection> datasetConnections_;
    QList<GridColumn> designed_;
    QList<GridColumn> columns_;
    std::vector<db::Field*> fields_;
    bool editable_ = false;
    int count_ = 0;
    // While a row insertion or removal is announced, rows keep the places
    // they had before it, although the dataset has already changed.
    int insertingAt_ = -1;
    int removingAt_ = -1;
    int current_ = -1;
    mutable std::vector<std::vector<QString>> folded_;
};

}  // namespace ui
