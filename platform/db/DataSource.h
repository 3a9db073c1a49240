#pragma once

#include <QObject>
#include <QPointer>

namespace db {

class Dataset;

// What grids, bound controls and detail datasets attach to. It only names a
// dataset; the dataset itself announces its changes.
class DataSource : public QObject {
    Q_OBJECT

public:
    explicit DataSource(Dataset* dataset = nullptr, QObject* parent = nullptr);

    Dataset* dataset() const { return dataset_; }
    void setDataset(Dataset* dataset);

signals:
    void datasetChanged();

private:
    QPointer<Dataset> dataset_;
};

}  // namespace db
