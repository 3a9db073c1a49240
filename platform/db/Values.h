#pragma once

#include "Statement.h"

#include <QVariant>

namespace db {

// Brings a value into the form the data layer keeps for a column type:
// qint64 for whole numbers, double for floating and scaled numbers, QString
// for text (cut to the column's width, code page 1254 checked), QDateTime,
// QDate, QTime, bool, QByteArray. Text is read the way the user typed it.
// An empty text or a null value becomes a null QVariant. `name` names the
// field or parameter in the Turkish error message of a value that does not fit.
QVariant normalizeValue(const QVariant& value, const ColumnInfo& column, const QString& name);

}  // namespace db
