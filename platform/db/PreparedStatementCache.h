#pragma once

#include "Statement.h"

#include <QString>

#include <list>
#include <optional>
#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
}  // namespace Firebird

namespace db {

// What preparing a statement gives: the server's handle and the description
// of its parameters and columns.
struct PreparedHandle {
    Firebird::IStatement* statement = nullptr;
    Firebird::IMessageMetadata* inMeta = nullptr;
    Firebird::IMessageMetadata* outMeta = nullptr;
    std::vector<ColumnInfo> inColumns;
    std::vector<ColumnInfo> outColumns;
    unsigned type = 0;

    // Gives the handles back to the server.
    void free() noexcept;
};

// Statements the program let go of, still prepared, by their SQL text. The
// windows make short-lived statements for their commands (a discount, a
// table's move) and run the same text again and again through a day; taking
// the prepared handle back saves the server a new prepare, which costs more
// than most of those statements' execution. The oldest go beyond a fixed
// number.
class PreparedStatementCache {
public:
    explicit PreparedStatementCache(std::size_t capacity = 32) : capacity_(capacity) {}
    ~PreparedStatementCache() { clear(); }
    PreparedStatementCache(const PreparedStatementCache&) = delete;
    PreparedStatementCache& operator=(const PreparedStatementCache&) = delete;

    std::optional<PreparedHandle> take(const QString& sql);
    void keep(const QString& sql, PreparedHandle handle) noexcept;
    // Frees every handle; before the attachment goes.
    void clear() noexcept;
    std::size_t size() const { return entries_.size(); }

private:
    std::size_t capacity_;
    std::list<std::pair<QString, PreparedHandle>> entries_;  // the last kept first
};

}  // namespace db
