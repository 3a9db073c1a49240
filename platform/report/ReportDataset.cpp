#include "ReportDataset.h"

namespace report {

ReportDataset::~ReportDataset() = default;

MemoryDataset::MemoryDataset(QStringList fieldNames, QList<QVariantList> rows)
    : fields_(std::move(fieldNames)), rows_(std::move(rows))
{
}

void MemoryDataset::next()
{
    if (!eof())
        ++current_;
}

QVariant MemoryDataset::value(const QString& field) const
{
    if (eof())
        return {};
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].compare(field, Qt::CaseInsensitive) == 0)
            return i < rows_[current_].size() ? rows_[current_][i] : QVariant();
    }
    return {};
}

}  // namespace report
