#include "SqlText.h"

namespace db {

QStringList ParsedSql::names() const
{
    QStringList out;
    for (const QString& n : positions) {
        if (!out.contains(n))
            out.append(n);
    }
    return out;
}

// Parameter names are plain SQL identifiers: ASCII letters, digits, _ and $.
static bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_'
        || u == u'$';
}

ParsedSql parseNamedParameters(const QString& sql)
{
    ParsedSql out;
    out.text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // A quote inside is written twice, which this loop handles as two
            // adjacent quoted pieces.
            qsizetype j = i + 1;
            while (j < n && sql[j] != c)
                ++j;
            out.text += sql.mid(i, j - i + 1);
            i = j + 1;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            qsizetype j = i;
            while (j < n && sql[j] != u'\n')
                ++j;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            qsizetype j = sql.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out.text += sql.mid(i, j - i);
            i = j;
        } else if (c == u':' && i + 1 < n && isNameChar(sql[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            out.positions.push_back(sql.mid(i + 1, j - i - 1).toUpper());
            out.text += u'?';
            i = j;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}

}  // namespace db
