#pragma once

#include <QAbstractProxyModel>
#include <QHash>

#include <functional>
#include <vector>

namespace ui {

class DatasetModel;

// The rows of a DatasetModel as a grid shows them: sorted by one column and
// narrowed by the texts of a filter row. It keeps its own row order instead
// of asking the rows one by one, so that sorting compares values directly
// and a filter change over 200,000 rows is one pass over cached texts and
// one layout change, without re-sorting.
//
// A changed cell keeps its row in place until the next sort or filter
// change; a row being inserted is always shown.
class GridProxyModel : public QAbstractProxyModel {
    Q_OBJECT

public:
    explicit GridProxyModel(QObject* parent = nullptr);

    // Only a DatasetModel is accepted.
    void setSourceModel(QAbstractItemModel* source) override;
    DatasetModel* datasetModel() const { return source_; }

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Column -1 brings back the dataset's own order. Numbers compare as
    // numbers, dates as dates, texts by the locale's collation; empty
    // values come first.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // Filter texts by source column: a row is shown when, in every filtered
    // column, its display text contains the text, ignoring case by the
    // Turkish rules. An empty text drops the column's filter.
    void setFilterTexts(const QHash<int, QString>& texts);
    void setFilterText(int column, const QString& text);
    QString filterText(int column) const { return filters_.value(column); }
    QHash<int, QString> filterTexts() const { return filters_; }

    int sourceRow(int row) const;
    // -1 when the source row is not shown.
    int proxyRow(int sourceRow) const;

    // Sum of the column's numbers over the rows shown; empty cells count 0.
    double sum(int column) const;

signals:
    // The rows shown, or values in them, changed.
    void shownRowsChanged();

private:
    void sourceAboutToBeReset();
    void sourceReset();
    void sourceRowsInserted(const QModelIndex& parent, int first, int last);
    void sourceRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void sourceRowsRemoved(const QModelIndex& parent, int first, int last);
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);
    void sourceHeaderDataChanged(Qt::Orientation orientation, int first, int last);

    void sortAll();
    void filterRows();
    void indexShownRows();
    bool accepts(int sourceRow) const;
    int pinnedRow() const;
    void changeLayout(const std::function<void()>& change);

    DatasetModel* source_ = nullptr;
    QList<QMetaObject::Connection> connections_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QHash<int, QString> filters_;
    QHash<int, QString> foldedFilters_;
    std::vector<int> ordered_;  // every source row, in sort order
    std::vector<int> rows_;     // the rows shown: proxy row to source row
    std::vector<int> shownAt_;  // source row to proxy row, -1 when hidden
};

}  // namespace ui
