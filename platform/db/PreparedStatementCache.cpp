#include "PreparedStatementCache.h"

#include "FbClient.h"

namespace db {

void PreparedHandle::free() noexcept
{
    if (inMeta)
        inMeta->release();
    if (outMeta)
        outMeta->release();
    if (statement) {
        fb::Status status;
        try {
            statement->free(&status);
        } catch (const Firebird::FbException&) {
            statement->release();
        }
    }
    *this = PreparedHandle();
}

std::optional<PreparedHandle> PreparedStatementCache::take(const QString& sql)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->first == sql) {
            PreparedHandle handle = std::move(it->second);
            entries_.erase(it);
            return handle;
        }
    }
    return std::nullopt;
}

void PreparedStatementCache::keep(const QString& sql, PreparedHandle handle) noexcept
{
    if (capacity_ == 0) {
        handle.free();
        return;
    }
    try {
        entries_.emplace_front(sql, std::move(handle));
    } catch (...) {
        handle.free();
        return;
    }
    while (entries_.size() > capacity_) {
        entries_.back().second.free();
        entries_.pop_back();
    }
}

void PreparedStatementCache::clear() noexcept
{
    for (auto& entry : entries_)
        entry.second.free();
    entries_.clear();
}

}  // namespace db
