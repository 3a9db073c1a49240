#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace report {

// The one way a report reads data. The engine moves the cursor only of a
// dataset that drives a data band; every other dataset is read at the row it
// stands on, so a template can print the current table of a list.
// The engine never closes or changes a dataset.
class ReportDataset {
public:
    virtual ~ReportDataset();

    virtual QStringList fieldNames() const = 0;
    virtual void first() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    // Field names are matched without regard to case. A missing field, a NULL
    // and any value read at the end of the data give an invalid QVariant.
    virtual QVariant value(const QString& field) const = 0;

    // Called once before a report reads the dataset and once after it is done,
    // so an adapter can keep its position and spare its bound widgets.
    virtual void beginReport() {}
    virtual void endReport() {}
};

// Rows held in memory, for tests and for small lists built in code.
// It starts at its first row, like a freshly opened query.
class MemoryDataset : public ReportDataset {
public:
    MemoryDataset() = default;
    explicit MemoryDataset(QStringList fieldNames, QList<QVariantList> rows = {});

    void setFieldNames(const QStringList& names) { fields_ = names; }
    void appendRow(const QVariantList& row) { rows_.append(row); }
    int rowCount() const { return int(rows_.size()); }

    int currentRow() const { return current_; }
    void setCurrentRow(int row) { current_ = row; }

    QStringList fieldNames() const override { return fields_; }
    void first() override { current_ = 0; }
    bool eof() const override { return current_ < 0 || current_ >= rows_.size(); }
    void next() override;
    QVariant value(const QString& field) const override;

private:
    QStringList fields_;
    QList<QVariantList> rows_;
    int current_ = 0;
};

}  // namespace report
