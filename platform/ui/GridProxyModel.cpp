#include "GridProxyModel.h"

#include "DatasetModel.h"
#include "TurkishText.h"

#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>

namespace ui {

GridProxyModel::GridProxyModel(QObject* parent) : QAbstractProxyModel(parent) {}

void GridProxyModel::setSourceModel(QAbstractItemModel* model)
{
    auto* source = qobject_cast<DatasetModel*>(model);
    Q_ASSERT_X(source || !model, "GridProxyModel", "the source must be a DatasetModel");
    beginResetModel();
    for (const auto& c : connections_)
        QObject::disconnect(c);
    connections_.clear();
    QAbstractProxyModel::setSourceModel(source);
    source_ = source;
    if (source_) {
        connections_ << connect(source_, &QAbstractItemModel::modelAboutToBeReset, this,
                                &GridProxyModel::sourceAboutToBeReset)
                     << connect(source_, &QAbstractItemModel::modelReset, this, &GridProxyModel::sourceReset)
                     << connect(source_, &QAbstractItemModel::rowsInserted, this,
                                &GridProxyModel::sourceRowsInserted)
                     << connect(source_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                                &GridProxyModel::sourceRowsAboutToBeRemoved)
                     << connect(source_, &QAbstractItemModel::rowsRemoved, this, &GridProxyModel::sourceRowsRemoved)
                     << connect(source_, &QAbstractItemModel::dataChanged, this, &GridProxyModel::sourceDataChanged)
                     << connect(source_, &QAbstractItemModel::headerDataChanged, this,
                                &GridProxyModel::sourceHeaderDataChanged);
    }
    sortAll();
    filterRows();
    endResetModel();
    emit shownRowsChanged();
}

QModelIndex GridProxyModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!source_ || !proxyIndex.isValid() || proxyIndex.model() != this)
        return {};
    const int row = sourceRow(proxyIndex.row());
    return row < 0 ? QModelIndex() : source_->index(row, proxyIndex.column());
}

QModelIndex GridProxyModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!source_ || !sourceIndex.isValid())
        return {};
    const int row = proxyRow(sourceIndex.row());
    return row < 0 ? QModelIndex() : createIndex(row, sourceIndex.column());
}

QModelIndex GridProxyModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex GridProxyModel::parent(const QModelIndex&) const
{
    return {};
}

int GridProxyModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int GridProxyModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !source_ ? 0 : source_->columnCount();
}

bool GridProxyModel::hasChildren(const QModelIndex& parent) const
{
    return !parent.isValid() && rowCount() > 0 && columnCount() > 0;
}

QVariant GridProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!source_)
        return {};
    if (orientation == Qt::Horizontal)
        return source_->headerData(section, orientation, role);
    const int row = sourceRow(section);
    return row < 0 ? QVariant() : source_->headerData(row, orientation, role);
}

int GridProxyModel::sourceRow(int row) const
{
    return row >= 0 && size_t(row) < rows_.size() ? rows_[size_t(row)] : -1;
}

int GridProxyModel::proxyRow(int sourceRow) const
{
    return sourceRow >= 0 && size_t(sourceRow) < shownAt_.size() ? shownAt_[size_t(sourceRow)] : -1;
}

double GridProxyModel::sum(int column) const
{
    if (!source_)
        return 0;
    double total = 0;
    for (int row : rows_) {
        const QVariant v = source_->rawValue(row, column);
        if (v.isValid() && !v.isNull())
            total += v.toDouble();
    }
    return total;
}

// Sorting ------------------------------------------------------------------

namespace {

// Values of one column brought into a form that compares fast.
struct SortKeys {
    std::vector<bool> empty;
    std::vector<double> numbers;
    std::vector<qint64> instants;
    std::vector<QCollatorSortKey> texts;
    enum Kind { Number, Instant, Text } kind = Text;

    int compare(int a, int b) const
    {
        if (empty[size_t(a)] || empty[size_t(b)])
            return int(!empty[size_t(a)]) - int(!empty[size_t(b)]);
        switch (kind) {
        case Number: {
            const double x = numbers[size_t(a)], y = numbers[size_t(b)];
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        case Instant: {
            const qint64 x = instants[size_t(a)], y = instants[size_t(b)];
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        case Text: return texts[size_t(a)].compare(texts[size_t(b)]);
        }
        return 0;
    }
};

SortKeys sortKeys(const DatasetModel& model, int column, int rows)
{
    SortKeys keys;
    keys.empty.resize(size_t(rows));
    const db::Field* f = model.fieldAt(column);
    const db::FieldType type = f ? f->type() : db::FieldType::Unknown;
    if (f && f->isNumeric()) {
        keys.kind = SortKeys::Number;
        keys.numbers.resize(size_t(rows));
    } else if (type == db::FieldType::Timestamp || type == db::FieldType::Date || type == db::FieldType::Time) {
        keys.kind = SortKeys::Instant;
        keys.instants.resize(size_t(rows));
    } else {
        keys.texts.reserve(size_t(rows));
    }
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (int r = 0; r < rows; ++r) {
        const QVariant v = model.rawValue(r, column);
        const bool empty = !v.isValid() || v.isNull();
        keys.empty[size_t(r)] = empty;
        switch (keys.kind) {
        case SortKeys::Number:
            if (!empty)
                keys.numbers[size_t(r)] = v.toDouble();
            break;
        case SortKeys::Instant:
            if (empty)
                break;
            if (type == db::FieldType::Date)
                keys.instants[size_t(r)] = v.toDate().toJulianDay();
            else if (type == db::FieldType::Time)
                keys.instants[size_t(r)] = v.toTime().msecsSinceStartOfDay();
            else
                keys.instants[size_t(r)] = v.toDateTime().toMSecsSinceEpoch();
            break;
        case SortKeys::Text:
            keys.texts.push_back(collator.sortKey(empty ? QString() : model.displayText(r, column)));
            break;
        }
    }
    return keys;
}

}  // namespace

void GridProxyModel::sortAll()
{
    const int rows = source_ ? source_->rowCount() : 0;
    ordered_.resize(size_t(rows));
    std::iota(ordered_.begin(), ordered_.end(), 0);
    if (!source_ || sortColumn_ < 0 || sortColumn_ >= source_->columnCount() || rows < 2)
        return;
    const SortKeys keys = sortKeys(*source_, sortColumn_, rows);
    // Stable, so equal values keep the dataset's order in both directions.
    if (sortOrder_ == Qt::AscendingOrder)
        std::stable_sort(ordered_.begin(), ordered_.end(), [&](int a, int b) { return keys.compare(a, b) < 0; });
    else
        std::stable_sort(ordered_.begin(), ordered_.end(), [&](int a, int b) { return keys.compare(a, b) > 0; });
}

void GridProxyModel::sort(int column, Qt::SortOrder order)
{
    if (source_ && column >= source_->columnCount())
        column = -1;
    changeLayout([&] {
        sortColumn_ = column;
        sortOrder_ = order;
        sortAll();
        filterRows();
    });
}

// Filtering ----------------------------------------------------------------

void GridProxyModel::setFilterTexts(const QHash<int, QString>& texts)
{
    QHash<int, QString> filters;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (!it.value().isEmpty())
            filters.insert(it.key(), it.value());
    }
    if (filters == filters_)
        return;
    changeLayout([&] {
        filters_ = filters;
        foldedFilters_.clear();
        for (auto it = filters_.begin(); it != filters_.end(); ++it)
            foldedFilters_.insert(it.key(), foldTurkish(it.value()));
        filterRows();
    });
}

void GridProxyModel::setFilterText(int column, const QString& text)
{
    QHash<int, QString> texts = filters_;
    texts.insert(column, text);
    setFilterTexts(texts);
}

int GridProxyModel::pinnedRow() const
{
    const db::Dataset* d = source_ ? source_->dataset() : nullptr;
    return d && d->state() == db::DatasetState::Insert ? d->recNo() : -1;
}

bool GridProxyModel::accepts(int sourceRow) const
{
    for (auto it = foldedFilters_.begin(); it != foldedFilters_.end(); ++it) {
        if (!containsFolded(source_->foldedText(sourceRow, it.key()), it.value()))
            return false;
    }
    return true;
}

void GridProxyModel::filterRows()
{
    rows_.clear();
    if (foldedFilters_.isEmpty() || !source_) {
        rows_ = ordered_;
    } else {
        const int pinned = pinnedRow();
        rows_.reserve(ordered_.size());
        for (int row : ordered_) {
            if (row == pinned || accepts(row))
                rows_.push_back(row);
        }
    }
    indexShownRows();
}

void GridProxyModel::indexShownRows()
{
    shownAt_.assign(ordered_.size(), -1);
    for (size_t i = 0; i < rows_.size(); ++i)
        shownAt_[size_t(rows_[i])] = int(i);
}

void GridProxyModel::changeLayout(const std::function<void()>& change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sourceRows;
    sourceRows.reserve(size_t(before.size()));
    for (const QModelIndex& i : before)
        sourceRows.push_back(sourceRow(i.row()));
    change();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = proxyRow(sourceRows[size_t(i)]);
        after << (row < 0 ? QModelIndex() : createIndex(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit shownRowsChanged();
}

// Following the source -------------------------------------------------------

void GridProxyModel::sourceAboutToBeReset()
{
    beginResetModel();
}

void GridProxyModel::sourceReset()
{
    // A column that went away takes its sort and filter with it.
    const int columns = source_->columnCount();
    if (sortColumn_ >= columns)
        sortColumn_ = -1;
    for (auto it = filters_.begin(); it != filters_.end();) {
        if (it.key() >= columns) {
            foldedFilters_.remove(it.key());
            it = filters_.erase(it);
        } else {
            ++it;
        }
    }
    sortAll();
    filterRows();
    endResetModel();
    emit shownRowsChanged();
}

void GridProxyModel::sourceRowsInserted(const QModelIndex& parent, int first, int last)
{
    if (parent.isValid())
        return;
    const int count = last - first + 1;
    const size_t total = ordered_.size() + size_t(count);
    // Existing rows move down in the source first, so every proxy row keeps
    // showing the same row while the insertion is announced.
    for (int& row : ordered_) {
        if (row >= first)
            row += count;
    }
    for (int& row : rows_) {
        if (row >= first)
            row += count;
    }
    std::vector<char> shown(total, 0);
    for (int row : rows_)
        shown[size_t(row)] = 1;
    for (int added = first; added <= last; ++added) {
        // Next to the row before it in the dataset: unsorted rows keep the
        // dataset's order and appended rows come last.
        auto at = ordered_.begin();
        if (added > 0) {
            at = std::find(ordered_.begin(), ordered_.end(), added - 1);
            if (at != ordered_.end())
                ++at;
        }
        at = ordered_.insert(at, added);
        int before = 0;
        for (auto it = ordered_.begin(); it != at; ++it)
            before += shown[size_t(*it)];
        beginInsertRows({}, before, before);
        rows_.insert(rows_.begin() + before, added);
        shown[size_t(added)] = 1;
        shownAt_.assign(total, -1);
        for (size_t i = 0; i < rows_.size(); ++i)
            shownAt_[size_t(rows_[i])] = int(i);
        endInsertRows();
    }
    emit shownRowsChanged();
}

void GridProxyModel::sourceRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last)
{
    if (parent.isValid())
        return;
    std::vector<int> shown;
    for (int row = first; row <= last; ++row) {
        const int at = proxyRow(row);
        if (at >= 0)
            shown.push_back(at);
    }
    std::sort(shown.begin(), shown.end());
    // From the bottom up, in runs of neighbouring proxy rows.
    while (!shown.empty()) {
        int top = shown.back();
        const int bottom = top;
        shown.pop_back();
        while (!shown.empty() && shown.back() == top - 1) {
            top = shown.back();
            shown.pop_back();
        }
        beginRemoveRows({}, top, bottom);
        rows_.erase(rows_.begin() + top, rows_.begin() + bottom + 1);
        indexShownRows();
        endRemoveRows();
    }
}

void GridProxyModel::sourceRowsRemoved(const QModelIndex& parent, int first, int last)
{
    if (parent.isValid())
        return;
    const int count = last - first + 1;
    const auto gone = [&](int row) { return row >= first && row <= last; };
    ordered_.erase(std::remove_if(ordered_.begin(), ordered_.end(), gone), ordered_.end());
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), gone), rows_.end());
    for (int& row : ordered_) {
        if (row > last)
            row -= count;
    }
    for (int& row : rows_) {
        if (row > last)
            row -= count;
    }
    indexShownRows();
    emit shownRowsChanged();
}

void GridProxyModel::sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    int top = -1, bottom = -1;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const int at = proxyRow(row);
        if (at < 0)
            continue;
        top = top < 0 ? at : std::min(top, at);
        bottom = std::max(bottom, at);
    }
    if (top >= 0)
        emit dataChanged(index(top, topLeft.column()), index(bottom, bottomRight.column()), roles);
    emit shownRowsChanged();
}

void GridProxyModel::sourceHeaderDataChanged(Qt::Orientation orientation, int first, int last)
{
    if (orientation == Qt::Horizontal) {
        emit headerDataChanged(orientation, first, last);
        return;
    }
    for (int row = first; row <= last; ++row) {
        const int at = proxyRow(row);
        if (at >= 0)
            emit headerDataChanged(Qt::Vertical, at, at);
    }
}

}  // namespace ui
