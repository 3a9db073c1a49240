#include "Error.h"

namespace db {

Error::Error(const QString& message, int sqlCode, long gdsCode, const QString& sqlState)
    : std::runtime_error(message.toStdString()),
      message_(message),
      sqlCode_(sqlCode),
      gdsCode_(gdsCode),
      sqlState_(sqlState)
{
}

bool Error::isLockConflict() const
{
    // deadlock, lock_conflict and update_conflict of the server's error list
    return sqlState_ == QLatin1String("40001") || gdsCode_ == 335544336L || gdsCode_ == 335544345L
        || gdsCode_ == 335544451L;
}

bool Error::isConnectionLost() const
{
    return sqlState_.startsWith(QLatin1String("08"));
}

}  // namespace db
