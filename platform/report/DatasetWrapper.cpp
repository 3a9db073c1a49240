#include "DatasetWrapper.h"

#include "platform/db/Dataset.h"

namespace report {

void DatasetWrapper::setDataset(db::Dataset* dataset)
{
    dataset_ = dataset;
    cursor_ = -1;
}

QStringList DatasetWrapper::fieldNames() const
{
    QStringList names;
    if (!dataset_)
        return names;
    for (const db::Field* f : dataset_->fields()) {
        if (f->visible())
            names << f->fieldName();
    }
    return names;
}

void DatasetWrapper::first()
{
    cursor_ = 0;
}

int DatasetWrapper::row() const
{
    if (!dataset_ || !dataset_->active())
        return -1;
    return cursor_ < 0 ? dataset_->recNo() : cursor_;
}

bool DatasetWrapper::eof() const
{
    const int r = row();
    return r < 0 || r >= dataset_->recordCount();
}

void DatasetWrapper::next()
{
    if (cursor_ < 0)
        cursor_ = dataset_ ? dataset_->recNo() : 0;
    ++cursor_;
}

QVariant DatasetWrapper::value(const QString& field) const
{
    if (eof())
        return {};
    const db::Field* f = dataset_->findField(field);
    if (!f || f->index() < 0)
        return {};
    return dataset_->value(row(), f->index());
}

void DatasetWrapper::beginReport()
{
    cursor_ = -1;
}

void DatasetWrapper::endReport()
{
    cursor_ = -1;
}

}  // namespace report
