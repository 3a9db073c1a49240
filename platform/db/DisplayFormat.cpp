#include "DisplayFormat.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace db {

namespace {

bool isPictureChar(QChar c)
{
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

}  // namespace

QString formatNumber(double value, const QString& picture)
{
    int start = 0;
    while (start < picture.size() && !isPictureChar(picture[start]))
        ++start;
    int end = start;
    while (end < picture.size() && isPictureChar(picture[end]))
        ++end;
    const QString prefix = picture.left(start);
    const QString suffix = picture.mid(end);
    const QString body = picture.mid(start, end - start);

    const int point = body.indexOf(u'.');
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString fractionPart = point < 0 ? QString() : body.mid(point + 1);
    const bool grouping = integerPart.contains(u',');
    const int minDecimals = int(fractionPart.count(u'0'));
    const int maxDecimals = int(fractionPart.count(u'0') + fractionPart.count(u'#'));
    const int minIntegerDigits = int(integerPart.count(u'0'));

    QLocale locale;
    locale.setNumberOptions(grouping ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    QString text = locale.toString(std::fabs(value), 'f', maxDecimals);

    // Drop optional decimals that are zero.
    const QString decimalPoint = locale.decimalPoint();
    if (maxDecimals > minDecimals) {
        int dot = int(text.lastIndexOf(decimalPoint));
        int keep = int(text.size());
        while (keep > dot + 1 + minDecimals && text[keep - 1] == u'0')
            --keep;
        if (keep == dot + 1)
            keep = dot;
        text.truncate(keep);
    }
    // "0" picture digits before the point: a value below one still shows "0".
    if (minIntegerDigits == 0 && text.startsWith(u'0') && text.size() > 1
        && text.mid(1, decimalPoint.size()) == decimalPoint) {
        text.remove(0, 1);
    }
    const bool negative = value < 0
        && std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    return prefix + (negative ? QStringLiteral("-") : QString()) + text + suffix;
}

}  // namespace db
