#include "MemoText.h"

#include <QRegularExpression>

namespace report {

namespace {

// The end of the expression that starts at 'from', honouring nested
// delimiters and quoted text; -1 when it is not closed.
int closingDelimiter(const QString& text, int from, const QString& open, const QString& close)
{
    int depth = 1;
    QChar quote;
    for (int i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        const QStringView rest = QStringView(text).mid(i);
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (rest.startsWith(open)) {
            ++depth;
            i += int(open.size()) - 1;
        } else if (rest.startsWith(close)) {
            if (--depth == 0)
                return i;
            i += int(close.size()) - 1;
        }
    }
    return -1;
}

// Splits "expr #n%2.2f" into the expression and its own format.
void splitFormat(const QString& inside, QString* expression, QString* tag)
{
    QChar quote;
    for (int i = 0; i + 2 < inside.size(); ++i) {
        const QChar c = inside[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c.isSpace() && inside[i + 1] == u'#') {
            const QChar kind = inside[i + 2].toLower();
            if (kind == u'n' || kind == u'd' || kind == u'b') {
                *expression = inside.left(i);
                *tag = inside.mid(i + 2);
                return;
            }
        }
    }
    *expression = inside;
    tag->clear();
}

}  // namespace

MemoText MemoText::literal(const QString& text)
{
    MemoText result;
    Part part;
    part.literal = text;
    result.parts_.append(part);
    return result;
}

MemoText MemoText::compile(const QString& text, const QString& delimiters)
{
    QString open = delimiters.section(QLatin1Char(','), 0, 0);
    QString close = delimiters.section(QLatin1Char(','), 1, 1);
    if (open.isEmpty() || close.isEmpty()) {
        open = QStringLiteral("[");
        close = QStringLiteral("]");
    }
    MemoText result;
    QString pending;
    int i = 0;
    while (i < text.size()) {
        const int at = int(text.indexOf(open, i));
        if (at < 0) {
            pending += QStringView(text).mid(i);
            break;
        }
        pending += QStringView(text).mid(i, at - i);
        i = at;
        const int start = i + int(open.size());
        const int end = closingDelimiter(text, start, open, close);
        if (end < 0) {  // not closed: the rest is plain text
            pending += text.mid(i);
            break;
        }
        if (!pending.isEmpty()) {
            Part literalPart;
            literalPart.literal = pending;
            result.parts_.append(literalPart);
            pending.clear();
        }
        Part part;
        QString tag;
        splitFormat(text.mid(start, end - start), &part.source, &tag);
        part.source = part.source.trimmed();
        if (!tag.isEmpty()) {
            part.hasFormat = true;
            const QChar kind = tag[0].toLower();
            const QString format = tag.mid(1);
            if (kind == u'n')
                part.format = DisplayFormat(DisplayFormat::Kind::Numeric, format);
            else if (kind == u'd')
                part.format = DisplayFormat(DisplayFormat::Kind::DateTime, format);
            else
                part.format = DisplayFormat(DisplayFormat::Kind::Boolean, format);
        }
        QString error;
        part.expression = Expression::parse(part.source, &error);
        part.parseError = error;
        result.parts_.append(part);
        i = end + int(close.size());
    }
    if (!pending.isEmpty()) {
        Part literalPart;
        literalPart.literal = pending;
        result.parts_.append(literalPart);
    }
    return result;
}

bool MemoText::usesTotalPages() const
{
    for (const Part& part : parts_) {
        if (part.expression && part.expression->usesTotalPages())
            return true;
    }
    return false;
}

}  // namespace report
