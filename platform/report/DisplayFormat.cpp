#include "DisplayFormat.h"

#include <QRegularExpression>

#include <cmath>

namespace report {

bool isNullValue(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

bool isNumericValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::Double: case QMetaType::Float:
        return !value.isNull();
    default:
        return false;
    }
}

bool isIntegralValue(const QVariant& value)
{
    return isNumericValue(value) && value.typeId() != QMetaType::Double && value.typeId() != QMetaType::Float;
}

bool isDateValue(const QVariant& value)
{
    const int type = value.typeId();
    return !value.isNull() && (type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime);
}

QDateTime toDateTime(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime: return QDateTime(QDate(1899, 12, 30), value.toTime());
    default: return value.toDateTime();
    }
}

namespace {

QLocale plainLocale(const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain;
}

QString separatorOr(const QString& given, const QString& fallback)
{
    return given.isEmpty() ? fallback : given;
}

}  // namespace

bool isPrintfFormat(const QString& format)
{
    static const QRegularExpression conversion(QStringLiteral("%-?\\d*(\\.\\d*)?[dufgnmesxDUFGNMESX]"));
    return format.contains(conversion);
}

namespace {

double numberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok ? number : 0;
    }
    return value.toDouble();
}

QString fixed(double value, int decimals, bool grouping, const QString& decimalText, const QString& groupText)
{
    const db::Decimal decimal = db::roundDecimal(value, decimals);
    QString integer = decimal.integer.isEmpty() ? QStringLiteral("0") : decimal.integer;
    if (grouping)
        integer = db::grouped(integer, groupText);
    QString out = (decimal.negative ? QStringLiteral("-") : QString()) + integer;
    if (decimals > 0)
        out += decimalText + decimal.fraction;
    return out;
}

QString money(double value, int decimals, const QString& decimalText, const QString& groupText,
              const QLocale& locale)
{
    // The locale's own currency text for one unit shows where the symbol and
    // the sign go; our number takes the place of its "1".
    const QString symbol = locale.currencySymbol();
    const QString number = fixed(std::abs(value), decimals, true, decimalText, groupText);
    const bool negative = db::roundDecimal(value, decimals).negative;
    QString pattern = locale.toCurrencyString(negative ? -1.0 : 1.0, symbol, 0);
    const int one = int(pattern.indexOf(QLatin1Char('1')));
    if (one < 0)
        return (negative ? QStringLiteral("-") : QString()) + number + QLatin1Char(' ') + symbol;
    return pattern.replace(one, 1, number);
}

}  // namespace

QString formatPrintf(const QVariant& value, const QString& format, const QString& decimalSeparator,
                     const QString& thousandSeparator, const QLocale& locale)
{
    const QString decimalText = separatorOr(decimalSeparator, locale.decimalPoint());
    const QString groupText = separatorOr(thousandSeparator, locale.groupSeparator());
    static const QRegularExpression conversion(QStringLiteral("%(-?)(\\d*)(?:\\.(\\d*))?([dufgnmesxDUFGNMESX%])"));
    QString out;
    qsizetype at = 0;
    auto match = conversion.globalMatch(format);
    while (match.hasNext()) {
        const QRegularExpressionMatch m = match.next();
        out += format.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QChar type = m.captured(4).at(0).toLower();
        if (type == u'%') {
            out += QLatin1Char('%');
            continue;
        }
        const bool hasPrecision = m.capturedLength(3) > 0;
        const int precision = std::min(m.captured(3).toInt(), 30);
        const double number = numberOf(value);
        QString text;
        switch (type.unicode()) {
        case 'd': case 'u': {
            text = QString::number(std::llround(number));
            if (hasPrecision && text.size() < precision)
                text = QString(precision - text.size(), QLatin1Char('0')) + text;
            break;
        }
        case 'x': text = QString::number(std::llround(number), 16).toUpper(); break;
        case 'f': text = fixed(number, hasPrecision ? precision : 2, false, decimalText, groupText); break;
        case 'n': text = fixed(number, hasPrecision ? precision : 2, true, decimalText, groupText); break;
        case 'm': text = money(number, hasPrecision ? precision : 2, decimalText, groupText, locale); break;
        case 'e':
            text = QString::number(number, 'E', hasPrecision ? precision : 15).replace(QLatin1Char('.'), decimalText);
            break;
        case 'g':
            text = QString::number(number, 'g', hasPrecision && precision > 0 ? precision : 15)
                       .replace(QLatin1Char('.'), decimalText);
            break;
        case 's':
        default: text = defaultText(value, locale); break;
        }
        const int width = std::min(m.captured(2).toInt(), 200);
        if (text.size() < width) {
            const QString pad(width - text.size(), QLatin1Char(' '));
            text = m.captured(1).isEmpty() ? pad + text : text + pad;
        }
        out += text;
    }
    out += format.mid(at);
    return out;
}

namespace {

QChar separatorIn(const QString& localeFormat, QChar fallback)
{
    for (QChar c : localeFormat) {
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return c;
    }
    return fallback;
}

bool startsWithCi(const QString& text, int at, const char* word)
{
    return text.mid(at, int(qstrlen(word))).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString formatDateTime(const QString& format, const QDateTime& value, const QLocale& locale)
{
    if (!value.isValid())
        return {};
    const QDate date = value.date();
    const QTime time = value.time();
    const QChar dateSeparator = separatorIn(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
    const QChar timeSeparator = separatorIn(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    const bool twelveHour = format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive)
        || format.contains(QLatin1String("a/p"), Qt::CaseInsensitive)
        || format.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    QString out;
    bool afterHour = false;
    int i = 0;
    const int n = int(format.size());
    while (i < n) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        auto run = [&](QChar ch) {
            int k = i;
            while (k < n && format[k].toLower() == ch)
                ++k;
            return k - i;
        };
        if (c == u'\'' || c == u'"') {
            const int end = int(format.indexOf(c, i + 1));
            out += format.mid(i + 1, (end < 0 ? n : end) - i - 1);
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (startsWithCi(format, i, "am/pm")) {
            out += time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        if (startsWithCi(format, i, "a/p")) {
            out += time.hour() < 12 ? QStringLiteral("a") : QStringLiteral("p");
            i += 3;
            continue;
        }
        if (startsWithCi(format, i, "ampm")) {
            out += time.hour() < 12 ? locale.amText() : locale.pmText();
            i += 4;
            continue;
        }
        switch (lower.unicode()) {
        case 'c':
            out += locale.toString(date, QLocale::ShortFormat);
            if (time != QTime(0, 0))
                out += QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
            ++i;
            break;
        case 'd': {
            const int count = run(u'd');
            if (count == 1) out += QString::number(date.day());
            else if (count == 2) out += two(date.day());
            else if (count == 3) out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else if (count == 4) out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            else if (count == 5) out += locale.toString(date, QLocale::ShortFormat);
            else out += locale.toString(date, QLocale::LongFormat);
            i += count;
            afterHour = false;
            break;
        }
        case 'm': {
            const int count = run(u'm');
            if (afterHour && count <= 2) {
                out += count == 1 ? QString::number(time.minute()) : two(time.minute());
            } else if (count == 1) out += QString::number(date.month());
            else if (count == 2) out += two(date.month());
            else if (count == 3) out += locale.monthName(date.month(), QLocale::ShortFormat);
            else out += locale.monthName(date.month(), QLocale::LongFormat);
            i += count;
            afterHour = false;
            break;
        }
        case 'y': {
            const int count = run(u'y');
            out += count <= 2 ? two(date.year() % 100) : QString::number(date.year());
            i += count;
            break;
        }
        case 'h': {
            const int count = run(u'h');
            int hour = time.hour();
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += count == 1 ? QString::number(hour) : two(hour);
            i += count;
            afterHour = true;
            break;
        }
        case 'n': {
            const int count = run(u'n');
            out += count == 1 ? QString::number(time.minute()) : two(time.minute());
            i += count;
            afterHour = false;
            break;
        }
        case 's': {
            const int count = run(u's');
            out += count == 1 ? QString::number(time.second()) : two(time.second());
            i += count;
            afterHour = false;
            break;
        }
        case 'z': {
            const int count = run(u'z');
            out += count >= 3 ? QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'))
                              : QString::number(time.msec());
            i += count;
            break;
        }
        case 't': {
            const int count = run(u't');
            out += count == 1 ? time.toString(QStringLiteral("HH:mm")) : time.toString(QStringLiteral("HH:mm:ss"));
            i += count;
            break;
        }
        case '/': out += dateSeparator; ++i; break;
        case ':': out += timeSeparator; ++i; break;
        default: out += c; ++i; break;
        }
    }
    return out;
}

QString defaultText(const QVariant& value, const QLocale& locale)
{
    if (isNullValue(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: case QMetaType::Float: {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::floor(number) && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return plainLocale(locale).toString(number, 'g', 15);
    }
    case QMetaType::QDate:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        QString text = locale.toString(moment.date(), QLocale::ShortFormat);
        if (moment.time() != QTime(0, 0))
            text += QLatin1Char(' ') + moment.time().toString(QStringLiteral("HH:mm:ss"));
        return text;
    }
    case QMetaType::QByteArray:
        return {};
    default:
        if (isIntegralValue(value))
            return QString::number(value.toLongLong());
        return value.toString();
    }
}

DisplayFormat::DisplayFormat(Kind kind, QString format, QString decimalSeparator, QString thousandSeparator)
    : kind_(kind),
      format_(std::move(format)),
      decimalSeparator_(std::move(decimalSeparator)),
      thousandSeparator_(std::move(thousandSeparator))
{
}

QString DisplayFormat::apply(const QVariant& value, const QLocale& locale) const
{
    if (isNullValue(value))
        return {};
    switch (kind_) {
    case Kind::Numeric:
        if (format_.isEmpty() || !isNumericValue(value))
            break;
        if (isPrintfFormat(format_))
            return formatPrintf(value, format_, decimalSeparator_, thousandSeparator_, locale);
        return formatPicture(value.toDouble(), format_, decimalSeparator_, thousandSeparator_, locale);
    case Kind::DateTime:
        if (format_.isEmpty() || !isDateValue(value))
            break;
        return formatDateTime(format_, toDateTime(value), locale);
    case Kind::Boolean: {
        const QStringList words = format_.split(QLatin1Char(','));
        if (words.size() != 2 || (value.typeId() != QMetaType::Bool && !isNumericValue(value)))
            break;
        return value.toBool() ? words[1] : words[0];
    }
    case Kind::Text:
        break;
    }
    return defaultText(value, locale);
}

}  // namespace report
