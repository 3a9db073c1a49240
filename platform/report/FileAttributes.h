#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

namespace report {

// The file attributes a template class declares (its "file:" class infos),
// base classes first, in declaration order.
struct FileAttribute {
    QString attribute;
    QByteArray property;
    bool alwaysWritten = false;
};

const QList<FileAttribute>& fileAttributes(const QMetaObject* meta);
const FileAttribute* findFileAttribute(const QMetaObject* meta, const QString& attribute);
// An attribute the class keeps without using, and which changes nothing printed.
bool isQuietAttribute(const QMetaObject* meta, const QString& attribute);

enum class ParseOutcome { Ok, Invalid, OutOfRange };

// Converts attribute text into a property's type: numbers with either decimal
// separator, "True"/"False", enumeration names, hex for binary data, and the
// set notation "ftLeft, ftTop" some designers write for frame sides and font styles.
ParseOutcome parseAttribute(const QString& text, const QMetaProperty& property, QVariant* value);
// The text a property value is written as.
QString attributeText(const QVariant& value, const QMetaProperty& property);

// A decimal number written with "." or ",".
bool parseDecimal(const QString& text, double* value);

}  // namespace report
