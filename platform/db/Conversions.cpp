#include "Conversions.h"

#include "Error.h"

#include <QLocale>
#include <cmath>

namespace db {

QString floatToText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'g', 15);
    return text;
}

bool tryStrToFloat(const QString& text, double* value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

double strToFloat(const QString& text)
{
    double value = 0;
    if (!tryStrToFloat(text, &value))
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

bool tryStrToInt(const QString& text, qint64* value)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

static QString dateTimeFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Two-digit years are ambiguous on a bill; always show four.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format + QLatin1String(" HH:mm:ss");
}

QString dateTimeToText(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    return QLocale().toString(value, dateTimeFormat());
}

bool tryTextToDateTime(const QString& text, QDateTime* value)
{
    const QString t = text.trimmed();
    const QLocale locale;
    QDateTime dt = locale.toDateTime(t, dateTimeFormat());
    if (!dt.isValid())
        dt = QDateTime(locale.toDate(t, QLocale::ShortFormat), QTime(0, 0));
    if (!dt.isValid())
        dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!dt.isValid())
        return false;
    *value = dt;
    return true;
}

}  // namespace db
