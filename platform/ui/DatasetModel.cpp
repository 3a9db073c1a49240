#include "DatasetModel.h"

#include "ErrorHandler.h"
#include "TurkishText.h"

#include "platform/db/Conversions.h"
#include "platform/db/DataSource.h"
#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

#include <QLocale>

namespace ui {

namespace {

// The text a cell offers for editing: the plain value, as the field reads it.
QString cellEditText(const QVariant& v, db::FieldType type)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (type) {
    case db::FieldType::Double:
    case db::FieldType::Scaled: return db::floatToText(v.toDouble());
    case db::FieldType::Timestamp: return db::dateTimeToText(v.toDateTime());
    case db::FieldType::Date: return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case db::FieldType::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

const QString& emptyText()
{
    static const QString empty;
    return empty;
}

}  // namespace

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataSource(db::DataSource* source)
{
    QObject::disconnect(sourceConnection_);
    source_ = source;
    if (source_)
        sourceConnection_ = connect(source_, &db::DataSource::datasetChanged, this, &DatasetModel::attach);
    attach();
}

db::DataSource* DatasetModel::dataSource() const
{
    return source_;
}

db::Dataset* DatasetModel::dataset() const
{
    return dataset_;
}

void DatasetModel::attach()
{
    for (const auto& c : datasetConnections_)
        QObject::disconnect(c);
    datasetConnections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (db::Dataset* d = dataset_) {
        datasetConnections_ << connect(d, &db::Dataset::rowsReset, this, &DatasetModel::rowsReset)
                            << connect(d, &db::Dataset::rowInserted, this, &DatasetModel::rowInserted)
                            << connect(d, &db::Dataset::rowRemoved, this, &DatasetModel::rowRemoved)
                            << connect(d, &db::Dataset::rowUpdated, this, &DatasetModel::rowUpdated)
                            << connect(d, &db::Dataset::currentChanged, this, &DatasetModel::currentMoved)
                            << connect(d, &db::Dataset::stateChanged, this, &DatasetModel::stateChanged)
                            << connect(d, &QObject::destroyed, this, &DatasetModel::rowsReset);
    }
    rowsReset();
}

void DatasetModel::setColumns(const QList<GridColumn>& columns)
{
    designed_ = columns;
    beginResetModel();
    resolveColumns();
    folded_.clear();
    endResetModel();
    emit columnsChanged();
}

bool DatasetModel::resolveColumns()
{
    db::Dataset* d = dataset_;
    QList<GridColumn> columns = designed_;
    if (columns.isEmpty()) {
        if (d && d->active()) {
            for (db::Field* f : d->fields()) {
                if (f->visible())
                    columns.append(GridColumn(f->fieldName()));
            }
        } else {
            columns = columns_;  // a closed dataset keeps the columns it had
        }
    }
    bool changed = columns.size() != columns_.size();
    for (qsizetype i = 0; !changed && i < columns.size(); ++i)
        changed = columns[i].field.compare(columns_[i].field, Qt::CaseInsensitive) != 0;
    columns_ = columns;
    fields_.assign(size_t(columns_.size()), nullptr);
    for (qsizetype i = 0; i < columns_.size(); ++i)
        fields_[size_t(i)] = d ? d->findField(columns_[i].field) : nullptr;
    return changed;
}

void DatasetModel::rowsReset()
{
    db::Dataset* d = dataset_;
    beginResetModel();
    count_ = d && d->active() ? d->recordCount() : 0;
    current_ = d && d->active() ? d->recNo() : -1;
    const bool changed = resolveColumns();
    folded_.clear();
    endResetModel();
    if (changed)
        emit columnsChanged();
}

void DatasetModel::rowInserted(int row)
{
    insertingAt_ = row;
    beginInsertRows({}, row, row);
    insertingAt_ = -1;
    ++count_;
    if (current_ >= row)
        ++current_;
    for (size_t c = 0; c < folded_.size(); ++c) {
        if (!folded_[c].empty())
            folded_[c].insert(folded_[c].begin() + row, foldTurkish(displayText(row, int(c))));
    }
    endInsertRows();
}

void DatasetModel::rowRemoved(int row)
{
    removingAt_ = row;
    beginRemoveRows({}, row, row);
    removingAt_ = -1;
    --count_;
    if (current_ == row)
        current_ = -1;
    else if (current_ > row)
        --current_;
    for (auto& texts : folded_) {
        if (!texts.empty())
            texts.erase(texts.begin() + row);
    }
    endRemoveRows();
}

void DatasetModel::rowUpdated(int row)
{
    if (row < 0 || row >= count_)
        return;
    for (size_t c = 0; c < folded_.size(); ++c) {
        if (!folded_[c].empty())
            folded_[c][size_t(row)] = foldTurkish(displayText(row, int(c)));
    }
    if (!columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

void DatasetModel::currentMoved(int row)
{
    const int previous = current_;
    current_ = row;
    if (previous >= 0 && previous < count_)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < count_)
        emit headerDataChanged(Qt::Vertical, row, row);
}

void DatasetModel::stateChanged()
{
    if (current_ >= 0 && current_ < count_)
        emit headerDataChanged(Qt::Vertical, current_, current_);
}

int DatasetModel::columnOfField(const QString& fieldName) const
{
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (columns_[i].field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString DatasetModel::fieldNameAt(int column) const
{
    return column >= 0 && column < columns_.size() ? columns_[column].field : QString();
}

db::Field* DatasetModel::fieldAt(int column) const
{
    if (column < 0 || size_t(column) >= fields_.size())
        return nullptr;
    db::Field* f = fields_[size_t(column)];
    return f && f->index() >= 0 ? f : nullptr;
}

bool DatasetModel::isNumericColumn(int column) const
{
    db::Field* f = fieldAt(column);
    return f && f->isNumeric();
}

void DatasetModel::setEditable(bool editable)
{
    if (editable_ == editable)
        return;
    editable_ = editable;
    if (count_ > 0 && !columns_.isEmpty())
        emit dataChanged(index(0, 0), index(count_ - 1, int(columns_.size()) - 1), {});
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

int DatasetModel::datasetRow(int row) const
{
    if (insertingAt_ >= 0 && row >= insertingAt_)
        return row + 1;
    if (removingAt_ >= 0) {
        if (row == removingAt_)
            return -1;
        if (row > removingAt_)
            return row - 1;
    }
    return row;
}

QVariant DatasetModel::rawValue(int row, int column) const
{
    db::Field* f = fieldAt(column);
    db::Dataset* d = dataset_;
    const int r = datasetRow(row);
    if (!f || !d || r < 0 || r >= d->recordCount())
        return {};
    return d->value(r, f->index());
}

QString DatasetModel::displayText(int row, int column) const
{
    db::Field* f = fieldAt(column);
    if (!f)
        return {};
    return db::Field::displayText(rawValue(row, column), f->type(), f->displayFormat());
}

void DatasetModel::ensureFolded(int column) const
{
    if (folded_.size() < size_t(columns_.size()))
        folded_.resize(size_t(columns_.size()));
    auto& texts = folded_[size_t(column)];
    if (!texts.empty() || count_ == 0)
        return;
    texts.reserve(size_t(count_));
    for (int r = 0; r < count_; ++r)
        texts.push_back(foldTurkish(displayText(r, column)));
}

const QString& DatasetModel::foldedText(int row, int column) const
{
    if (column < 0 || column >= columns_.size() || row < 0 || row >= count_)
        return emptyText();
    ensureFolded(column);
    return folded_[size_t(column)][size_t(row)];
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole: return displayText(index.row(), index.column());
    case Qt::EditRole: {
        db::Field* f = fieldAt(index.column());
        return f ? cellEditText(rawValue(index.row(), index.column()), f->type()) : QString();
    }
    case Qt::TextAlignmentRole:
        if (isNumericColumn(index.column()))
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case RawValueRole: return rawValue(index.row(), index.column());
    default: return {};
    }
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    db::Dataset* d = dataset_;
    db::Field* f = fieldAt(index.column());
    const int row = datasetRow(index.row());
    return guarded([&] {
        if (d->recNo() != row)
            d->moveTo(row);
        if (!d->isEditing())
            d->edit();
        f->setValue(value);
    });
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    db::Field* f = fieldAt(index.column());
    if (editable_ && f && !f->readOnly() && !columns_[index.column()].readOnly && dataset_ && dataset_->canModify())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columns_.size())
            return {};
        const GridColumn& c = columns_[section];
        switch (role) {
        case Qt::DisplayRole: {
            if (!c.caption.isEmpty())
                return c.caption;
            db::Field* f = section < int(fields_.size()) ? fields_[size_t(section)] : nullptr;
            return f ? f->displayLabel() : c.field;
        }
        case FieldNameRole: return c.field;
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        default: return {};
        }
    }
    if (section < 0 || section >= count_)
        return {};
    // The row indicator: where the dataset stands, and whether its row is
    // being edited or inserted.
    if (role == Qt::DisplayRole) {
        db::Dataset* d = dataset_;
        if (!d || section != current_)
            return QString();
        switch (d->state()) {
        case db::DatasetState::Edit: return QStringLiteral("✎");
        case db::DatasetState::Insert: return QStringLiteral("*");
        default: return QStringLiteral("▶");
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

}  // namespace ui
