#pragma once

// The physical limit of the benchmarks: statements sent straight through
// Firebird's object API, prepared once, with parameters written into and
// results read from the message buffers the statement's metadata lays out.
// No QVariant, no named parameters, no rows kept beyond what a caller copies.
// Errors become std::runtime_error carrying the server's text.

#include <firebird/Interface.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rawfb {

// Date and time as Firebird stores them.
ISC_TIMESTAMP timestamp(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);

struct AttachOptions {
    // The connection's lc_ctype: the program's WIN1254, or UTF8 for a caller
    // whose text is UTF-8.
    const char* charset = "WIN1254";
    // Page buffers of this attachment; 0 keeps the database's setting.
    int pageBuffers = 0;
    // Sets the database's forced writes (stored in the file): 1 on, 0 off,
    // -1 leaves them as they are.
    int forcedWrites = -1;
};

class Attachment {
public:
    explicit Attachment(const std::string& path, const AttachOptions& options = {});
    ~Attachment();
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    Firebird::IAttachment* handle() const { return handle_; }
    Firebird::ThrowStatusWrapper& status() { return status_; }

private:
    Firebird::ThrowStatusWrapper status_;
    Firebird::IAttachment* handle_ = nullptr;
};

// read_committed, rec_version, nowait: the program's transaction.
class Transaction {
public:
    explicit Transaction(Attachment& attachment);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    void commitRetaining();
    void commit();
    bool active() const { return handle_ != nullptr; }
    Firebird::ITransaction* handle() const { return handle_; }

private:
    Attachment& attachment_;
    Firebird::ITransaction* handle_ = nullptr;
};

// One prepared statement with positional parameters ("?"). It runs in
// whatever the transaction's handle is at the time, so a transaction that is
// committed and started again keeps its statements.
class Statement {
public:
    Statement(Attachment& attachment, Transaction& transaction, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    unsigned paramCount() const { return unsigned(in_.size()); }
    unsigned columnCount() const { return unsigned(out_.size()); }

    void setNull(unsigned i);
    void setInt(unsigned i, std::int64_t value);
    void setDouble(unsigned i, double value);
    // Bytes in the connection's character set, cut to the column's width.
    void setText(unsigned i, std::string_view bytes);
    void setTimestamp(unsigned i, const ISC_TIMESTAMP& value);

    // A statement without rows, or a select of one row (a generator, a sum,
    // a row by its key), which then lies in the output buffer. A select goes
    // through a cursor closed after its first row: IStatement::execute on a
    // select costs more, as the engine throws and catches inside it.
    void execute();

    void open();
    bool fetch();
    void close();

    bool isNull(unsigned j) const;
    std::int64_t getInt(unsigned j) const;
    double getDouble(unsigned j) const;
    std::string getText(unsigned j) const;

    // The current row as the server wrote it, for callers that keep rows.
    const unsigned char* row() const { return outBuffer_.data(); }
    unsigned rowLength() const { return unsigned(outBuffer_.size()); }

private:
    struct Slot {
        unsigned type;    // SQL_* without the nullable bit
        unsigned length;  // bytes (characters times bytes per character for text)
        unsigned offset;
        unsigned nullOffset;
    };
    static std::vector<Slot> describe(Firebird::IMessageMetadata* meta, Firebird::ThrowStatusWrapper& status);
    unsigned char* param(unsigned i, bool null);

    Attachment& attachment_;
    Transaction& transaction_;
    Firebird::IStatement* handle_ = nullptr;
    Firebird::IMessageMetadata* inMeta_ = nullptr;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    Firebird::IResultSet* cursor_ = nullptr;
    std::vector<Slot> in_, out_;
    std::vector<unsigned char> inBuffer_, outBuffer_;
    bool isSelect_ = false;
};

// Rows copied out of a cursor as raw message buffers: the least a caller can
// keep to have every row at hand.
class RowStore {
public:
    void clear() { bytes_.clear(); count_ = 0; }
    // Clears and hands the memory back.
    void release()
    {
        std::vector<unsigned char>().swap(bytes_);
        count_ = 0;
    }
    void add(const Statement& s);
    std::size_t count() const { return count_; }
    std::size_t bytes() const { return bytes_.size(); }
    // Fetches every remaining row of an open cursor into the store.
    std::size_t fetchAll(Statement& s);

private:
    std::vector<unsigned char> bytes_;
    std::size_t count_ = 0;
};

}  // namespace rawfb
