#include "ReportError.h"

namespace report {

namespace {

QString withPosition(const QString& message, int line, int column)
{
    if (line <= 0)
        return message;
    return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message);
}

}  // namespace

ReportError::ReportError(const QString& message, int line, int column)
    : std::runtime_error(withPosition(message, line, column).toStdString()),
      message_(message),
      line_(line),
      column_(column)
{
}

LoadResult LoadResult::failure(const QString& message, int line, int column)
{
    LoadResult result;
    result.ok = false;
    result.message = message;
    result.line = line;
    result.column = column;
    return result;
}

QString LoadResult::toString() const
{
    return ok ? QStringLiteral("ok") : withPosition(message, line, column);
}

}  // namespace report
