#include "Dataset.h"

#include "DataSource.h"
#include "Error.h"
#include "Transaction.h"
#include "Values.h"

namespace db {

Dataset::Dataset(Transaction& transaction, QObject* parent)
    : QObject(parent), transaction_(transaction), statement_(transaction)
{
}

Dataset::~Dataset()
{
    setMasterSource(nullptr);
    for (Dataset* d : details_) {
        d->masterSource_ = nullptr;
        d->master_ = nullptr;
    }
}

void Dataset::fire(const Handler& handler)
{
    if (handler)
        handler(*this);
}

void Dataset::requireActive() const
{
    if (!active())
        throw Error(QStringLiteral("%1: veri kümesi açık değil.").arg(objectName()));
}

void Dataset::requireRows() const
{
    if (rows_.empty() || current_ < 0)
        throw Error(QStringLiteral("%1: boş veri kümesinde bu işlem yapılamaz.").arg(objectName()));
}

void Dataset::setSql(const QString& sql)
{
    if (active())
        close();
    statement_.setSql(sql);
    statementChanged();
}

void Dataset::setParam(const QString& name, const QVariant& value)
{
    statement_.setParam(name, value);
}

void Dataset::setMasterSource(DataSource* source)
{
    if (master_) {
        auto& list = master_->details_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    masterSource_ = source;
    master_ = source ? source->dataset() : nullptr;
    if (master_)
        master_->details_.push_back(this);
}

DataSource* Dataset::masterSource() const
{
    return masterSource_;
}

int Dataset::columnIndex(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

Field* Dataset::findField(const QString& name) const
{
    for (const auto& f : ownedFields_) {
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    }
    return nullptr;
}

Field* Dataset::fieldByName(const QString& name) const
{
    Field* f = findField(name);
    if (!f)
        throw Error(QStringLiteral("%1: %2 alanı bulunamadı.").arg(objectName(), name));
    return f;
}

void Dataset::setFieldDisplayFormat(const QString& name, const QString& format)
{
    pendingFormats_.insert(name.toUpper(), format);
    if (Field* f = findField(name))
        f->setDisplayFormat(format);
}

void Dataset::setFieldDisplayLabel(const QString& name, const QString& label)
{
    pendingLabels_.insert(name.toUpper(), label);
    if (Field* f = findField(name))
        f->setDisplayLabel(label);
}

void Dataset::syncFields()
{
    for (auto& f : ownedFields_)
        f->rebind(-1, f->info());
    fieldList_.clear();
    for (size_t i = 0; i < columns_.size(); ++i) {
        const ColumnInfo& c = columns_[i];
        Field* f = findField(c.name);
        if (f) {
            f->rebind(int(i), c);
        } else {
            ownedFields_.push_back(std::make_unique<Field>(this, int(i), c));
            f = ownedFields_.back().get();
            const QString key = c.name.toUpper();
            if (pendingFormats_.contains(key))
                f->setDisplayFormat(pendingFormats_.value(key));
            if (pendingLabels_.contains(key))
                f->setDisplayLabel(pendingLabels_.value(key));
            // The row address of a keyless table is ours, not the user's.
            if (c.name == QLatin1String("DB_KEY") && c.type == FieldType::Bytes)
                f->setVisible(false);
        }
        fieldList_.push_back(f);
    }
}

void Dataset::setParamsFromMaster()
{
    if (!masterSource_ || !masterSource_->dataset())
        return;
    Dataset* master = masterSource_->dataset();
    for (const QString& name : statement_.paramNames()) {
        if (Field* f = master->findField(name))
            statement_.setParam(name, master->active() ? f->value() : QVariant());
    }
}

void Dataset::readRows()
{
    setParamsFromMaster();
    std::vector<Row> rows;
    statement_.openCursor();
    Row row;
    while (statement_.fetch(row)) {
        rows.push_back(std::move(row));
        if (fetchProgress_ && rows.size() % 5000 == 0)
            fetchProgress_(int(rows.size()));
    }
    columns_ = statement_.columns();
    rows_ = std::move(rows);
    syncFields();
}

void Dataset::setState(DatasetState state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged();
}

void Dataset::open()
{
    if (active())
        return;
    fire(beforeOpen);
    readRows();
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    modified_ = false;
    setState(DatasetState::Browse);
    emit rowsReset();
    emit currentChanged(current_);
    fire(afterOpen);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::close()
{
    if (!active())
        return;
    fire(beforeClose);
    rows_.clear();
    current_ = -1;
    bof_ = eof_ = true;
    modified_ = false;
    setState(DatasetState::Inactive);
    emit rowsReset();
    emit currentChanged(current_);
    fire(afterClose);
}

int Dataset::findRowByKey(const Row& keyRow) const
{
    if (keyRow.isEmpty() || keyFields_.isEmpty())
        return -1;
    std::vector<int> idx;
    for (const QString& k : keyFields_) {
        const int i = columnIndex(k);
        if (i < 0 || i >= keyRow.size())
            return -1;
        idx.push_back(i);
    }
    for (size_t r = 0; r < rows_.size(); ++r) {
        bool same = true;
        for (int i : idx)
            same = same && rows_[r].at(i) == keyRow.at(i);
        if (same)
            return int(r);
    }
    return -1;
}

void Dataset::refresh()
{
    if (!active())
        return;
    checkBrowseMode();
    const Row before = (current_ >= 0 && current_ < int(rows_.size())) ? rows_[size_t(current_)] : Row();
    const int oldIndex = current_;
    readRows();
    int found = findRowByKey(before);
    if (found < 0)
        found = rows_.empty() ? -1 : std::clamp(oldIndex, 0, int(rows_.size()) - 1);
    current_ = found;
    bof_ = current_ <= 0;
    eof_ = rows_.empty();
    emit rowsReset();
    emit currentChanged(current_);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::masterChanged()
{
    if (!active() || !masterSource_ || !masterSource_->dataset() || !masterSource_->dataset()->active())
        return;
    // Pending work of this dataset was finished before the master moved.
    if (isEditing()) {
        modified_ = false;
        if (state_ == DatasetState::Insert)
            rows_.erase(rows_.begin() + current_);
        setState(DatasetState::Browse);
    }
    readRows();
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    emit rowsReset();
    emit currentChanged(current_);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::checkBrowseMode()
{
    if (!isEditing())
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Dataset::finishPendingDetails()
{
    for (Dataset* d : details_) {
        if (d->active())
            d->finishPending();
    }
}

void Dataset::finishPending()
{
    finishPendingDetails();
    checkBrowseMode();
}

void Dataset::scrollTo(int row)
{
    requireActive();
    checkBrowseMode();
    finishPendingDetails();
    if (rows_.empty())
        return;
    row = std::clamp(row, 0, int(rows_.size()) - 1);
    if (row == current_)
        return;
    current_ = row;
    emit currentChanged(current_);
    fire(afterScroll);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::first()
{
    scrollTo(0);
    bof_ = true;
    eof_ = rows_.empty();
}

void Dataset::last()
{
    scrollTo(int(rows_.size()) - 1);
    eof_ = true;
    bof_ = rows_.empty();
}

void Dataset::next()
{
    if (current_ + 1 >= int(rows_.size())) {
        requireActive();
        checkBrowseMode();
        eof_ = true;
        return;
    }
    scrollTo(current_ + 1);
    bof_ = false;
    eof_ = false;
}

void Dataset::prior()
{
    if (current_ <= 0) {
        requireActive();
        checkBrowseMode();
        bof_ = true;
        return;
    }
    scrollTo(current_ - 1);
    bof_ = false;
    eof_ = false;
}

void Dataset::moveTo(int row)
{
    scrollTo(row);
    bof_ = current_ <= 0;
    eof_ = rows_.empty();
}

bool Dataset::locate(const QString& fieldName, const QVariant& value)
{
    requireActive();
    checkBrowseMode();
    Field* f = fieldByName(fieldName);
    QVariant wanted;
    try {
        wanted = normalizeValue(value, f->info(), f->fieldName());
    } catch (const ConversionError&) {
        return false;
    }
    const int column = f->index();
    for (size_t r = 0; r < rows_.size(); ++r) {
        const QVariant& v = rows_[r].at(column);
        const bool bothNull = v.isNull() && wanted.isNull();
        if (bothNull || (!v.isNull() && !wanted.isNull() && v == wanted)) {
            moveTo(int(r));
            return true;
        }
    }
    return false;
}

void Dataset::startNewRow(int position)
{
    Row row;
    row.resize(qsizetype(columns_.size()));
    rows_.insert(rows_.begin() + position, row);
    current_ = position;
    eof_ = bof_ = false;
    modified_ = false;
    setState(DatasetState::Insert);
    emit rowInserted(position);
    emit currentChanged(current_);
}

void Dataset::startInsert(bool atEnd)
{
    requireActive();
    if (!canModify())
        throw Error(QStringLiteral("%1: salt okunur veri kümesine kayıt eklenemez.").arg(objectName()));
    checkBrowseMode();
    finishPendingDetails();
    fire(beforeInsert);
    startNewRow(atEnd ? int(rows_.size()) : std::max(current_, 0));
    for (Dataset* d : details_)
        d->masterChanged();
    fire(afterInsert);
}

void Dataset::insert()
{
    startInsert(false);
}

void Dataset::append()
{
    startInsert(true);
}

void Dataset::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (!canModify())
        throw Error(QStringLiteral("%1: salt okunur veri kümesi değiştirilemez.").arg(objectName()));
    if (rows_.empty()) {
        insert();
        return;
    }
    finishPendingDetails();
    fire(beforeEdit);
    originalRow_ = rows_[size_t(current_)];
    modified_ = false;
    setState(DatasetState::Edit);
    fire(afterEdit);
}

void Dataset::post()
{
    requireActive();
    if (!isEditing())
        return;
    finishPendingDetails();
    fire(beforePost);
    Row& row = rows_[size_t(current_)];
    if (state_ == DatasetState::Insert) {
        Row pending = row;
        assignKey(pending);
        insertRow(pending);
        row = pending;
    } else {
        Row pending = row;
        modifyRow(pending, originalRow_);
        row = pending;
    }
    modified_ = false;
    originalRow_.clear();
    setState(DatasetState::Browse);
    emit rowUpdated(current_);
    fire(afterPost);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    fire(beforeCancel);
    if (state_ == DatasetState::Insert) {
        const int removed = current_;
        rows_.erase(rows_.begin() + removed);
        current_ = rows_.empty() ? -1 : std::min(removed, int(rows_.size()) - 1);
        eof_ = rows_.empty();
        modified_ = false;
        setState(DatasetState::Browse);
        emit rowRemoved(removed);
        emit currentChanged(current_);
    } else {
        rows_[size_t(current_)] = originalRow_;
        modified_ = false;
        setState(DatasetState::Browse);
        emit rowUpdated(current_);
    }
    originalRow_.clear();
    fire(afterCancel);
    for (Dataset* d : details_)
        d->masterChanged();
}

void Dataset::deleteRecord()
{
    requireActive();
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    if (state_ == DatasetState::Edit)
        cancel();
    requireRows();
    if (!canModify())
        throw Error(QStringLiteral("%1: salt okunur veri kümesinden kayıt silinemez.").arg(objectName()));
    finishPendingDetails();
    fire(beforeDelete);
    deleteRow(rows_[size_t(current_)]);
    const int removed = current_;
    rows_.erase(rows_.begin() + removed);
    current_ = rows_.empty() ? -1 : std::min(removed, int(rows_.size()) - 1);
    eof_ = rows_.empty();
    emit rowRemoved(removed);
    emit currentChanged(current_);
    fire(afterDelete);
    for (Dataset* d : details_)
        d->masterChanged();
}

QVariant Dataset::currentValue(int column) const
{
    if (current_ < 0 || current_ >= int(rows_.size()) || column < 0)
        return {};
    return rows_[size_t(current_)].at(column);
}

void Dataset::setCurrentValue(Field* field, const QVariant& value)
{
    if (!isEditing())
        throw Error(QStringLiteral("%1: veri kümesi düzenleme kipinde değil.").arg(objectName()));
    if (field->readOnly())
        throw Error(QStringLiteral("%1 alanı salt okunur.").arg(field->fieldName()));
    if (field->index() < 0)
        throw Error(QStringLiteral("%1 alanı bu sorguda yok.").arg(field->fieldName()));
    const QVariant v = normalizeValue(value, field->info(), field->fieldName());
    rows_[size_t(current_)][field->index()] = v;
    modified_ = true;
    emit fieldChanged(field);
    emit rowUpdated(current_);
}

void Dataset::insertRow(Row&)
{
    throw Error(QStringLiteral("%1: salt okunur veri kümesi.").arg(objectName()));
}

void Dataset::modifyRow(Row&, const Row&)
{
    throw Error(QStringLiteral("%1: salt okunur veri kümesi.").arg(objectName()));
}

void Dataset::deleteRow(const Row&)
{
    throw Error(QStringLiteral("%1: salt okunur veri kümesi.").arg(objectName()));
}

void Dataset::assignKey(Row&) {}

}  // namespace db
