#include "Error.h"

#include <utility>

namespace db {

Error::Error(const QString& message, int sqlCode, long gdsCode, const QString& sqlState, QList<long> gdsCodes)
    : std::runtime_error(message.toStdString()),
      message_(message),
      sqlCode_(sqlCode),
      gdsCode_(gdsCode),
      sqlState_(sqlState),
      gdsCodes_(std::move(gdsCodes))
{
    if (gdsCodes_.isEmpty() && gdsCode_ != 0)
        gdsCodes_.append(gdsCode_);
}

bool Error::isLockConflict() const
{
    // deadlock, lock_conflict and update_conflict of the server's error list
    return sqlState_ == QLatin1String("40001") || gdsCode_ == 335544336L || gdsCode_ == 335544345L
        || gdsCode_ == 335544451L;
}

bool Error::isConnectionLost() const
{
    // 08001 also covers a missing file and a database in use, which are no
    // lost connection: look at the codes of a broken network or shutdown.
    static const long lost[] = {335544726L, 335544727L, 335544721L, 335544648L, 335544741L, 335544856L, 335544528L};
    for (long code : lost) {
        if (hasGdsCode(code))
            return true;
    }
    return sqlState_ == QLatin1String("08003") || sqlState_ == QLatin1String("08006");
}

bool Error::isDatabaseInUse() const
{
    return hasGdsCode(335545107L);  // already_opened
}

}  // namespace db
