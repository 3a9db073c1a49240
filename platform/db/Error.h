#pragma once

#include <QList>
#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the data layer arrives as one of these. Database errors
// carry the server's own text and codes so the error box can show them as the
// server wrote them; conversion errors carry a Turkish text of our own.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message, int sqlCode = 0, long gdsCode = 0,
                   const QString& sqlState = {}, QList<long> gdsCodes = {});

    QString message() const { return message_; }
    int sqlCode() const { return sqlCode_; }
    long gdsCode() const { return gdsCode_; }
    // Every code of the server's error list, the first one included.
    QList<long> gdsCodes() const { return gdsCodes_; }
    bool hasGdsCode(long code) const { return gdsCodes_.contains(code); }
    QString sqlState() const { return sqlState_; }

    // A lock held by another connection ("nowait" makes this fail at once).
    bool isLockConflict() const;
    // The connection to the server is gone.
    bool isConnectionLost() const;
    // An embedded engine of another program holds the database file.
    bool isDatabaseInUse() const;

private:
    QString message_;
    int sqlCode_;
    long gdsCode_;
    QString sqlState_;
    QList<long> gdsCodes_;
};

// Text that does not convert into the type of a field or parameter.
class ConversionError : public Error {
public:
    using Error::Error;
};

}  // namespace db
