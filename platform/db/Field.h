#pragma once

#include "Statement.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace db {

class Dataset;

// One column of a dataset, read and written at the dataset's current row.
// Field objects live as long as their dataset and survive closing and
// reopening it, so windows may keep pointers to them.
class Field {
public:
    Field(Dataset* dataset, int index, const ColumnInfo& info);

    Dataset* dataset() const { return dataset_; }
    QString fieldName() const { return info_.name; }
    FieldType type() const { return info_.type; }
    // Width in characters of a text column.
    int size() const { return info_.length; }
    const ColumnInfo& info() const { return info_; }
    bool isNumeric() const;

    QString displayLabel() const { return displayLabel_.isEmpty() ? info_.name : displayLabel_; }
    void setDisplayLabel(const QString& label) { displayLabel_ = label; }
    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& format) { displayFormat_ = format; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    bool isNull() const;
    QVariant value() const;
    // The dataset must be in edit or insert; the value is converted to the
    // column's type and a value that does not fit raises ConversionError.
    void setValue(const QVariant& value);
    void clear() { setValue(QVariant()); }

    QString asString() const;
    void setAsString(const QString& text) { setValue(text); }
    qint64 asInteger() const;
    void setAsInteger(qint64 value) { setValue(QVariant::fromValue(value)); }
    double asFloat() const;
    void setAsFloat(double value) { setValue(value); }
    QDateTime asDateTime() const;
    void setAsDateTime(const QDateTime& value) { setValue(value); }

    // Text shown in labels and grids: the display format when there is one.
    QString displayText() const;
    static QString displayText(const QVariant& value, FieldType type, const QString& format);

    // Used by the dataset when it is opened on a changed statement.
    void rebind(int index, const ColumnInfo& info);
    int index() const { return index_; }

private:
    Dataset* dataset_;
    int index_;
    ColumnInfo info_;
    QString displayLabel_;
    QString displayFormat_;
    bool readOnly_ = false;
    bool visible_ = true;
};

}  // namespace db
