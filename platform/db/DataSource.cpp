#include "DataSource.h"

#include "Dataset.h"

namespace db {

DataSource::DataSource(Dataset* dataset, QObject* parent) : QObject(parent), dataset_(dataset) {}

void DataSource::setDataset(Dataset* dataset)
{
    if (dataset_ == dataset)
        return;
    dataset_ = dataset;
    emit datasetChanged();
}

}  // namespace db
