#include "ReportError.h"

namespace report {

namespace {

QString withPosition(const QString& message, int line, int column, const QString& fileName = {})
{
    QString place = fileName;
    if (line > 0) {
        if (!place.isEmpty())
            place += QStringLiteral(", ");
        place += QStringLiteral("satır %1, sütun %2").arg(line).arg(column);
    }
    return place.isEmpty() ? message : place + QStringLiteral(": ") + message;
}

}  // namespace

ReportError::ReportError(const QString& message, int line, int column, const QString& fileName)
    : std::runtime_error(withPosition(message, line, column, fileName).toStdString()),
      message_(message),
      line_(line),
      column_(column),
      fileName_(fileName)
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
    return ok ? QStringLiteral("tamam") : withPosition(message, line, column);
}

}  // namespace report
