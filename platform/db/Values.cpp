#include "Values.h"

#include "Conversions.h"
#include "Cp1254.h"
#include "Error.h"

#include <QDateTime>
#include <cmath>
#include <limits>

namespace db {

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw ConversionError(message);
}

qint64 integerLimit(FieldType type)
{
    switch (type) {
    case FieldType::SmallInt: return std::numeric_limits<qint16>::max();
    case FieldType::Integer: return std::numeric_limits<qint32>::max();
    default: return std::numeric_limits<qint64>::max();
    }
}

QVariant toInteger(const QVariant& value, const ColumnInfo& column, const QString& name)
{
    qint64 n = 0;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (!tryStrToInt(text, &n))
            fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir tam sayı değil.").arg(name, text));
    } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
            fail(QStringLiteral("%1 alanına yazılan sayı bu alan için çok büyük.").arg(name));
        n = qint64(std::llround(d));
    } else if (value.typeId() == QMetaType::Bool) {
        n = value.toBool() ? 1 : 0;
    } else {
        bool ok = false;
        n = value.toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir tam sayı değil.").arg(name, value.toString()));
    }
    const qint64 limit = integerLimit(column.type);
    if (n > limit || n < -limit - 1)
        fail(QStringLiteral("%1 alanına yazılan %2 bu alan için çok büyük.").arg(name).arg(n));
    return QVariant::fromValue<qint64>(n);
}

QVariant toDouble(const QVariant& value, const QString& name)
{
    if (value.typeId() == QMetaType::QString) {
        double d = 0;
        const QString text = value.toString();
        if (!tryStrToFloat(text, &d))
            fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir sayı değil.").arg(name, text));
        return d;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir sayı değil.").arg(name, value.toString()));
    return d;
}

QVariant toText(const QVariant& value, const ColumnInfo& column, const QString& name)
{
    QString text;
    if (value.typeId() == QMetaType::Double)
        text = floatToText(value.toDouble());
    else if (value.typeId() == QMetaType::QDateTime)
        text = dateTimeToText(value.toDateTime());
    else
        text = value.toString();
    if (column.length > 0 && text.size() > column.length)
        text.truncate(column.length);
    if (!cp1254::encode(text)) {
        fail(QStringLiteral("%1 alanına yazılan '%2' karakteri Türkçe kod sayfasında (1254) bulunmuyor; "
                            "metin kaydedilmedi.")
                 .arg(name, cp1254::firstUnencodable(text)));
    }
    return text;
}

QVariant toDateTime(const QVariant& value, const QString& name)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: return value.toDateTime();
    case QMetaType::QDate: return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        QDateTime dt;
        if (!tryTextToDateTime(value.toString(), &dt))
            fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir tarih değil.").arg(name, value.toString()));
        return dt;
    }
    default:
        fail(QStringLiteral("%1 alanına yazılan '%2' geçerli bir tarih değil.").arg(name, value.toString()));
    }
}

}  // namespace

QVariant normalizeValue(const QVariant& value, const ColumnInfo& column, const QString& name)
{
    if (!value.isValid() || value.isNull())
        return {};
    // An empty text clears the column, as users expect of an emptied box.
    if (value.typeId() == QMetaType::QString && value.toString().isEmpty())
        return {};
    switch (column.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::BigInt: return toInteger(value, column, name);
    case FieldType::Double:
    case FieldType::Scaled: return toDouble(value, name);
    case FieldType::Text: return toText(value, column, name);
    case FieldType::Timestamp: return toDateTime(value, name);
    case FieldType::Date: return toDateTime(value, name).toDateTime().date();
    case FieldType::Time: {
        if (value.typeId() == QMetaType::QTime)
            return value;
        return toDateTime(value, name).toDateTime().time();
    }
    case FieldType::Boolean: {
        if (value.typeId() == QMetaType::QString)
            return value.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
        return value.toBool();
    }
    case FieldType::Bytes: return value.toByteArray();
    case FieldType::Unknown: break;
    }
    return value;
}

}  // namespace db
