#include "FileAttributes.h"

#include <QHash>
#include <QMetaClassInfo>
#include <QMetaEnum>
#include <QMutex>

#include <cmath>
#include <memory>
#include <unordered_map>

namespace report {

namespace {

struct ClassDescription {
    QList<FileAttribute> attributes;
    QHash<QString, int> byName;  // lower-case attribute name to index
    QStringList quiet;           // exact names, or prefixes ending in '*'
};

const ClassDescription& describe(const QMetaObject* meta)
{
    static QMutex mutex;
    // Held by pointer: callers keep references while other classes are added.
    static std::unordered_map<const QMetaObject*, std::unique_ptr<ClassDescription>> cache;
    QMutexLocker lock(&mutex);
    auto found = cache.find(meta);
    if (found != cache.end())
        return *found->second;
    auto created = std::make_unique<ClassDescription>();
    ClassDescription& description = *created;
    for (int i = 0; i < meta->classInfoCount(); ++i) {
        const QMetaClassInfo info = meta->classInfo(i);
        const QLatin1String name(info.name());
        const QString value = QString::fromLatin1(info.value());
        if (name == QLatin1String("quiet")) {
            description.quiet += value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else if (name.startsWith(QLatin1String("file:"))) {
            FileAttribute attribute;
            attribute.attribute = QString(name.mid(5));
            attribute.alwaysWritten = value.startsWith(QLatin1Char('!'));
            attribute.property = (attribute.alwaysWritten ? value.mid(1) : value).toLatin1();
            description.byName.insert(attribute.attribute.toLower(), int(description.attributes.size()));
            description.attributes.append(attribute);
        }
    }
    return *cache.emplace(meta, std::move(created)).first->second;
}

int setValue(const QString& text)
{
    // Delphi set notation, "[ftLeft, ftTop]" or "fsBold,fsItalic".
    static const QHash<QString, int> bits = {
        {QStringLiteral("ftleft"), 1},   {QStringLiteral("ftright"), 2},
        {QStringLiteral("fttop"), 4},    {QStringLiteral("ftbottom"), 8},
        {QStringLiteral("fsbold"), 1},   {QStringLiteral("fsitalic"), 2},
        {QStringLiteral("fsunderline"), 4}, {QStringLiteral("fsstrikeout"), 8}};
    QString inner = text.trimmed();
    if (inner.startsWith(QLatin1Char('[')) && inner.endsWith(QLatin1Char(']')))
        inner = inner.mid(1, inner.size() - 2);
    int result = 0;
    for (const QString& part : inner.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        auto bit = bits.constFind(part.trimmed().toLower());
        if (bit == bits.constEnd())
            return -1;
        result |= *bit;
    }
    return result;
}

QString withoutControlCharacters(QString text)
{
    // XML 1.0 cannot hold these even as character references.
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.unicode() == 0xFFFE
            || c.unicode() == 0xFFFF;
    });
    return text;
}

}  // namespace

const QList<FileAttribute>& fileAttributes(const QMetaObject* meta)
{
    return describe(meta).attributes;
}

const FileAttribute* findFileAttribute(const QMetaObject* meta, const QString& attribute)
{
    const ClassDescription& description = describe(meta);
    auto found = description.byName.constFind(attribute.toLower());
    return found == description.byName.constEnd() ? nullptr : &description.attributes[*found];
}

bool isQuietAttribute(const QMetaObject* meta, const QString& attribute)
{
    for (const QString& pattern : describe(meta).quiet) {
        if (pattern.endsWith(QLatin1Char('*'))) {
            if (attribute.startsWith(pattern.left(pattern.size() - 1), Qt::CaseInsensitive))
                return true;
        } else if (attribute.compare(pattern, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool parseDecimal(const QString& text, double* value)
{
    QString normal = text.trimmed();
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *value = normal.toDouble(&ok);
    return ok;
}

ParseOutcome parseAttribute(const QString& text, const QMetaProperty& property, QVariant* value)
{
    // Beyond these nothing in a template makes sense; they only serve to
    // overflow the layout.
    constexpr double numberLimit = 1e7;
    if (property.isEnumType()) {
        bool ok = false;
        const int number = property.enumerator().keyToValue(text.trimmed().toLatin1().constData(), &ok);
        if (!ok)
            return ParseOutcome::Invalid;
        *value = QVariant(property.metaType(), &number);
        return ParseOutcome::Ok;
    }
    switch (property.metaType().id()) {
    case QMetaType::Double: {
        double number = 0;
        if (!parseDecimal(text, &number))
            return ParseOutcome::Invalid;
        if (!std::isfinite(number) || std::abs(number) > numberLimit)
            return ParseOutcome::OutOfRange;
        *value = number;
        return ParseOutcome::Ok;
    }
    case QMetaType::Int: {
        bool ok = false;
        const qlonglong number = text.trimmed().toLongLong(&ok);
        if (ok) {
            if (number < INT_MIN || number > INT_MAX)
                return ParseOutcome::OutOfRange;
            *value = int(number);
            return ParseOutcome::Ok;
        }
        double real = 0;
        if (parseDecimal(text, &real)) {
            if (!std::isfinite(real) || std::abs(real) > numberLimit)
                return ParseOutcome::OutOfRange;
            *value = int(std::lround(real));
            return ParseOutcome::Ok;
        }
        const int bits = setValue(text);
        if (bits < 0)
            return ParseOutcome::Invalid;
        *value = bits;
        return ParseOutcome::Ok;
    }
    case QMetaType::Bool: {
        const QString word = text.trimmed().toLower();
        if (word == QLatin1String("true") || word == QLatin1String("1"))
            *value = true;
        else if (word == QLatin1String("false") || word == QLatin1String("0"))
            *value = false;
        else
            return ParseOutcome::Invalid;
        return ParseOutcome::Ok;
    }
    case QMetaType::QByteArray: {
        const QString hex = text.trimmed();
        if (hex.size() % 2 != 0)
            return ParseOutcome::Invalid;
        for (QChar c : hex) {
            if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
                return ParseOutcome::Invalid;
        }
        *value = QByteArray::fromHex(hex.toLatin1());
        return ParseOutcome::Ok;
    }
    case QMetaType::QString: {
        QString normal = text;
        normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        *value = normal;
        return ParseOutcome::Ok;
    }
    default:
        return ParseOutcome::Invalid;
    }
}

QString attributeText(const QVariant& value, const QMetaProperty& property)
{
    if (property.isEnumType()) {
        const int number = value.toInt();
        return QString::fromLatin1(property.enumerator().valueToKey(number));
    }
    switch (property.metaType().id()) {
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (number == std::floor(number) && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toHex().toUpper());
    case QMetaType::QString: {
        QString text = withoutControlCharacters(value.toString());
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return text;
    }
    default:
        return withoutControlCharacters(value.toString());
    }
}

}  // namespace report
