#include "DisplayFormat.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace db {

Decimal roundDecimal(double value, int decimals)
{
    Decimal result;
    decimals = std::clamp(decimals, 0, 30);
    if (value == 0 || !std::isfinite(value)) {
        result.fraction = QString(decimals, QLatin1Char('0'));
        return result;
    }
    // 15 significant digits, as the double was meant; rounding then works on
    // the written digits, so 2.675 rounds up the way a person expects.
    const QString scientific = QString::number(std::abs(value), 'e', 14);
    QString digits = scientific.left(1) + scientific.mid(2, 14);
    int point = scientific.mid(scientific.indexOf(QLatin1Char('e')) + 1).toInt() + 1;
    const int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
        point = -decimals;
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        if (up) {
            int i = int(digits.size()) - 1;
            while (i >= 0 && digits[i] == u'9')
                digits[i--] = u'0';
            if (i >= 0) {
                digits[i] = QChar(digits[i].unicode() + 1);
            } else {
                digits.prepend(QLatin1Char('1'));
                ++point;
            }
        }
    } else {
        digits += QString(keep - digits.size(), QLatin1Char('0'));
    }
    // digits now holds point + decimals digits (or none when all rounded away).
    if (digits.isEmpty()) {
        result.fraction = QString(decimals, QLatin1Char('0'));
        return result;
    }
    if (point > 0) {
        result.integer = digits.left(point);
        result.fraction = digits.mid(point);
    } else {
        result.fraction = QString(-point, QLatin1Char('0')) + digits;
    }
    while (result.integer.startsWith(QLatin1Char('0')))
        result.integer.remove(0, 1);
    result.fraction = result.fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    const auto nonZero = [](const QString& s) { return s.contains(QRegularExpression(QStringLiteral("[1-9]"))); };
    result.negative = value < 0 && (nonZero(result.integer) || nonZero(result.fraction));
    return result;
}

QString grouped(const QString& digits, const QString& separator)
{
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

namespace {

QList<QString> splitSections(const QString& picture)
{
    QList<QString> sections;
    QString current;
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    sections.append(current);
    return sections;
}

struct PictureToken {
    enum Type { Digit, Point, Literal } type;
    bool zero = false;  // "0" rather than "#"
    QString text;
};

QString applyPictureSection(double value, const QString& section, const QString& decimalSeparator,
                            const QString& thousandSeparator, bool withSign)
{
    QList<PictureToken> tokens;
    bool grouping = false;
    bool pointSeen = false;
    QChar quote;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            tokens.append({PictureToken::Literal, false, literal});
        literal.clear();
    };
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'0' || c == u'#') {
            flushLiteral();
            tokens.append({PictureToken::Digit, c == u'0', {}});
        } else if (c == u'.' && !pointSeen) {
            flushLiteral();
            pointSeen = true;
            tokens.append({PictureToken::Point, false, {}});
        } else if (c == u',' && !pointSeen) {
            grouping = true;
        } else if (c != u'.' && c != u',') {
            literal += c;
        }
    }
    flushLiteral();

    int firstPlace = -1;
    int lastPlace = -1;
    int pointIndex = -1;
    int integerPlaces = 0;
    int minInteger = 0;
    int fractionPlaces = 0;
    int minFraction = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        const PictureToken& token = tokens[i];
        if (token.type == PictureToken::Literal)
            continue;
        if (firstPlace < 0)
            firstPlace = i;
        lastPlace = i;
        if (token.type == PictureToken::Point) {
            pointIndex = i;
        } else if (pointIndex < 0) {
            ++integerPlaces;
            if (token.zero || minInteger > 0)
                ++minInteger;
        } else {
            ++fractionPlaces;
            if (token.zero)
                minFraction = fractionPlaces;
        }
    }
    if (firstPlace < 0)  // no placeholder at all: the section is plain text
        return section.isEmpty() ? QString() : tokens.isEmpty() ? QString() : tokens.first().text;

    const Decimal decimal = roundDecimal(value, fractionPlaces);
    QString integer = decimal.integer;
    if (integer.size() < minInteger)
        integer = QString(minInteger - integer.size(), QLatin1Char('0')) + integer;
    QString fraction = decimal.fraction;
    while (fraction.size() > minFraction && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString out;
    for (int i = 0; i < firstPlace; ++i)
        out += tokens[i].text;
    if (withSign && decimal.negative)
        out += QLatin1Char('-');

    // Integer part: the placeholders take digits from the right; the leftmost
    // takes all that remain. Literals between them stay where they are.
    const int integerEnd = pointIndex >= 0 ? pointIndex : lastPlace + 1;
    QString integerText;
    int remaining = int(integer.size());
    int digitsWritten = 0;
    auto putDigit = [&](QChar d) {
        if (grouping && digitsWritten > 0 && digitsWritten % 3 == 0)
            integerText.prepend(thousandSeparator);
        integerText.prepend(d);
        ++digitsWritten;
    };
    for (int i = integerEnd - 1; i >= firstPlace; --i) {
        const PictureToken& token = tokens[i];
        if (token.type == PictureToken::Literal) {
            if (remaining > 0)
                integerText.prepend(token.text);
            continue;
        }
        const bool leftmost = i == firstPlace;
        if (leftmost) {
            while (remaining > 0)
                putDigit(integer[--remaining]);
        } else if (remaining > 0) {
            putDigit(integer[--remaining]);
        }
    }
    out += integerText;

    if (pointIndex >= 0) {
        if (!fraction.isEmpty())
            out += decimalSeparator;
        int used = 0;
        for (int i = pointIndex + 1; i <= lastPlace; ++i) {
            const PictureToken& token = tokens[i];
            if (token.type == PictureToken::Literal) {
                if (used < fraction.size())
                    out += token.text;
            } else if (used < fraction.size()) {
                out += fraction[used++];
            }
        }
    }
    for (int i = lastPlace + 1; i < tokens.size(); ++i)
        out += tokens[i].text;
    return out;
}

}  // namespace

QString formatPicture(double value, const QString& picture, const QString& decimalSeparator,
                      const QString& thousandSeparator, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const QString decimalText = decimalSeparator.isEmpty() ? locale.decimalPoint() : decimalSeparator;
    const QString groupText = thousandSeparator.isEmpty() ? locale.groupSeparator() : thousandSeparator;
    const QList<QString> sections = splitSections(picture);
    if (sections.size() >= 3 && value == 0 && !sections[2].isEmpty())
        return applyPictureSection(0, sections[2], decimalText, groupText, false);
    if (sections.size() >= 2 && value < 0 && !sections[1].isEmpty())
        return applyPictureSection(-value, sections[1], decimalText, groupText, false);
    return applyPictureSection(value, sections[0], decimalText, groupText, true);
}

}  // namespace db
