#include "Field.h"

#include "Conversions.h"
#include "Dataset.h"
#include "DisplayFormat.h"
#include "Error.h"

#include <QLocale>
#include <cmath>

namespace db {

Field::Field(Dataset* dataset, int index, const ColumnInfo& info) : dataset_(dataset), index_(index), info_(info) {}

void Field::rebind(int index, const ColumnInfo& info)
{
    index_ = index;
    info_ = info;
}

bool Field::isNumeric() const
{
    switch (info_.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::BigInt:
    case FieldType::Double:
    case FieldType::Scaled: return true;
    default: return false;
    }
}

QVariant Field::value() const
{
    return index_ < 0 ? QVariant() : dataset_->currentValue(index_);
}

bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}

void Field::setValue(const QVariant& value)
{
    dataset_->setCurrentValue(this, value);
}

QString Field::asString() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return {};
    switch (info_.type) {
    case FieldType::Double:
    case FieldType::Scaled: return floatToText(v.toDouble());
    case FieldType::Timestamp: return dateTimeToText(v.toDateTime());
    case FieldType::Date: return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case FieldType::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

qint64 Field::asInteger() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (info_.type == FieldType::Text) {
        qint64 n = 0;
        if (!tryStrToInt(v.toString(), &n))
            throw ConversionError(
                QStringLiteral("%1 alanındaki '%2' geçerli bir tam sayı değil.").arg(info_.name, v.toString()));
        return n;
    }
    if (v.typeId() == QMetaType::Double)
        return qint64(std::llround(v.toDouble()));
    return v.toLongLong();
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (info_.type == FieldType::Text) {
        double d = 0;
        if (!tryStrToFloat(v.toString(), &d))
            throw ConversionError(
                QStringLiteral("%1 alanındaki '%2' geçerli bir sayı değil.").arg(info_.name, v.toString()));
        return d;
    }
    return v.toDouble();
}

QDateTime Field::asDateTime() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    return v.toDateTime();
}

QString Field::displayText(const QVariant& v, FieldType type, const QString& format)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (type) {
    case FieldType::Double:
    case FieldType::Scaled:
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::BigInt:
        if (!format.isEmpty())
            return formatPicture(v.toDouble(), format);
        if (type == FieldType::Double || type == FieldType::Scaled)
            return floatToText(v.toDouble());
        return QString::number(v.toLongLong());
    case FieldType::Timestamp:
        if (!format.isEmpty())
            return QLocale().toString(v.toDateTime(), format);
        return dateTimeToText(v.toDateTime());
    case FieldType::Date: return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case FieldType::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

QString Field::displayText() const
{
    return displayText(value(), info_.type, displayFormat_);
}

}  // namespace db
