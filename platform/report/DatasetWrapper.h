#pragma once

#include "ReportDataset.h"

#include <QPointer>

namespace db {
class Dataset;
}

namespace report {

// Lets a template read one of the program's datasets under a name of its
// own ("Ds_1"). A data band walks the rows by position without moving the
// dataset, so the window behind the report, its grids and its detail
// datasets never notice; outside a data band the dataset's current row is
// read. The dataset is never closed or changed, and decimal values pass as
// they are.
class DatasetWrapper : public ReportDataset {
public:
    explicit DatasetWrapper(db::Dataset* dataset = nullptr) : dataset_(dataset) {}

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return dataset_; }

    QStringList fieldNames() const override;
    void first() override;
    bool eof() const override;
    void next() override;
    QVariant value(const QString& field) const override;
    void beginReport() override;
    void endReport() override;

private:
    int row() const;

    QPointer<db::Dataset> dataset_;
    // -1 while no data band walks the rows: the dataset's current row.
    int cursor_ = -1;
};

}  // namespace report
