#include "RawFirebird.h"

#include <ibase.h>

#include <cstring>
#include <stdexcept>

namespace rawfb {

using Firebird::FbException;
using Firebird::ThrowStatusWrapper;

namespace {

Firebird::IMaster* master()
{
    static Firebird::IMaster* m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil* util()
{
    static Firebird::IUtil* u = master()->getUtilInterface();
    return u;
}

[[noreturn]] void rethrow(const FbException& e, const char* what)
{
    char text[2048] = {};
    util()->formatStatus(text, sizeof text, e.getStatus());
    throw std::runtime_error(std::string(what) + ": " + text);
}

// Runs one call sequence and turns Firebird's exception into ours.
template <class F>
auto guarded(const char* what, F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const FbException& e) {
        rethrow(e, what);
    }
}

}  // namespace

ISC_TIMESTAMP timestamp(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    ISC_TIMESTAMP ts;
    ts.timestamp_date = util()->encodeDate(unsigned(year), unsigned(month), unsigned(day));
    ts.timestamp_time = util()->encodeTime(unsigned(hour), unsigned(minute), unsigned(second),
                                           unsigned(millisecond) * 10);
    return ts;
}

Attachment::Attachment(const std::string& path, const AttachOptions& options) : status_(master()->getStatus())
{
    handle_ = guarded("attach", [&] {
        Firebird::IXpbBuilder* dpb = util()->getXpbBuilder(&status_, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status_, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&status_, isc_dpb_password, "plumbride");
        dpb->insertString(&status_, isc_dpb_lc_ctype, options.charset);
        dpb->insertInt(&status_, isc_dpb_sql_dialect, 3);
        if (options.pageBuffers > 0)
            dpb->insertInt(&status_, isc_dpb_num_buffers, options.pageBuffers);
        if (options.forcedWrites >= 0)
            dpb->insertInt(&status_, isc_dpb_force_write, options.forcedWrites);
        Firebird::IProvider* provider = master()->getDispatcher();
        Firebird::IAttachment* a = nullptr;
        try {
            a = provider->attachDatabase(&status_, path.c_str(), dpb->getBufferLength(&status_),
                                         dpb->getBuffer(&status_));
        } catch (...) {
            provider->release();
            dpb->dispose();
            throw;
        }
        provider->release();
        dpb->dispose();
        return a;
    });
}

Attachment::~Attachment()
{
    if (handle_) {
        try {
            handle_->detach(&status_);
        } catch (const FbException&) {
            handle_->release();
        }
    }
    status_.dispose();
}

Transaction::Transaction(Attachment& attachment) : attachment_(attachment)
{
    start();
}

Transaction::~Transaction()
{
    if (!handle_)
        return;
    try {
        handle_->rollback(&attachment_.status());
    } catch (const FbException&) {
        handle_->release();
    }
}

void Transaction::start()
{
    if (handle_)
        return;
    auto& st = attachment_.status();
    handle_ = guarded("start transaction", [&] {
        Firebird::IXpbBuilder* tpb = util()->getXpbBuilder(&st, Firebird::IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&st, isc_tpb_read_committed);
        tpb->insertTag(&st, isc_tpb_rec_version);
        tpb->insertTag(&st, isc_tpb_nowait);
        tpb->insertTag(&st, isc_tpb_write);
        Firebird::ITransaction* t =
            attachment_.handle()->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
        tpb->dispose();
        return t;
    });
}

void Transaction::commitRetaining()
{
    guarded("commit retaining", [&] { handle_->commitRetaining(&attachment_.status()); });
}

void Transaction::commit()
{
    guarded("commit", [&] { handle_->commit(&attachment_.status()); });
    handle_ = nullptr;
}

std::vector<Statement::Slot> Statement::describe(Firebird::IMessageMetadata* meta, ThrowStatusWrapper& status)
{
    std::vector<Slot> out(meta->getCount(&status));
    for (unsigned i = 0; i < out.size(); ++i) {
        out[i].type = meta->getType(&status, i) & ~1u;
        out[i].length = meta->getLength(&status, i);
        out[i].offset = meta->getOffset(&status, i);
        out[i].nullOffset = meta->getNullOffset(&status, i);
    }
    return out;
}

Statement::Statement(Attachment& attachment, Transaction& transaction, const std::string& sql)
    : attachment_(attachment), transaction_(transaction)
{
    auto& st = attachment_.status();
    guarded(sql.c_str(), [&] {
        handle_ = attachment_.handle()->prepare(&st, transaction_.handle(), 0, sql.c_str(), 3,
                                                Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        const unsigned type = handle_->getType(&st);
        isSelect_ = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
        inMeta_ = handle_->getInputMetadata(&st);
        outMeta_ = handle_->getOutputMetadata(&st);
        in_ = describe(inMeta_, st);
        out_ = describe(outMeta_, st);
        inBuffer_.assign(inMeta_->getMessageLength(&st), 0);
        outBuffer_.assign(outMeta_->getMessageLength(&st), 0);
    });
    // Every parameter starts out NULL.
    for (unsigned i = 0; i < in_.size(); ++i)
        setNull(i);
}

Statement::~Statement()
{
    auto& st = attachment_.status();
    close();
    if (inMeta_)
        inMeta_->release();
    if (outMeta_)
        outMeta_->release();
    if (handle_) {
        try {
            handle_->free(&st);
        } catch (const FbException&) {
            handle_->release();
        }
    }
}

unsigned char* Statement::param(unsigned i, bool null)
{
    const Slot& s = in_.at(i);
    const short flag = null ? -1 : 0;
    std::memcpy(inBuffer_.data() + s.nullOffset, &flag, sizeof flag);
    return inBuffer_.data() + s.offset;
}

void Statement::setNull(unsigned i)
{
    param(i, true);
}

void Statement::setInt(unsigned i, std::int64_t value)
{
    unsigned char* p = param(i, false);
    switch (in_[i].type) {
    case SQL_SHORT: {
        const auto v = std::int16_t(value);
        std::memcpy(p, &v, sizeof v);
        break;
    }
    case SQL_LONG: {
        const auto v = std::int32_t(value);
        std::memcpy(p, &v, sizeof v);
        break;
    }
    case SQL_INT64: std::memcpy(p, &value, sizeof value); break;
    case SQL_DOUBLE: {
        const double v = double(value);
        std::memcpy(p, &v, sizeof v);
        break;
    }
    default: throw std::runtime_error("setInt: parameter " + std::to_string(i) + " is not a whole number");
    }
}

void Statement::setDouble(unsigned i, double value)
{
    if (in_.at(i).type != SQL_DOUBLE)
        throw std::runtime_error("setDouble: parameter " + std::to_string(i) + " is not a double");
    std::memcpy(param(i, false), &value, sizeof value);
}

void Statement::setText(unsigned i, std::string_view bytes)
{
    const Slot& s = in_.at(i);
    unsigned char* p = param(i, false);
    const std::size_t n = std::min<std::size_t>(bytes.size(), s.length);
    if (s.type == SQL_VARYING) {
        const auto len = static_cast<unsigned short>(n);
        std::memcpy(p, &len, sizeof len);
        std::memcpy(p + 2, bytes.data(), n);
    } else if (s.type == SQL_TEXT) {
        std::memset(p, ' ', s.length);
        std::memcpy(p, bytes.data(), n);
    } else {
        throw std::runtime_error("setText: parameter " + std::to_string(i) + " is not text");
    }
}

void Statement::setTimestamp(unsigned i, const ISC_TIMESTAMP& value)
{
    if (in_.at(i).type != SQL_TIMESTAMP)
        throw std::runtime_error("setTimestamp: parameter " + std::to_string(i) + " is not a timestamp");
    std::memcpy(param(i, false), &value, sizeof value);
}

void Statement::execute()
{
    auto& st = attachment_.status();
    guarded("execute", [&] {
        if (!isSelect_) {
            handle_->execute(&st, transaction_.handle(), inMeta_, inBuffer_.data(), outMeta_, outBuffer_.data());
            return;
        }
        Firebird::IResultSet* rs =
            handle_->openCursor(&st, transaction_.handle(), inMeta_, inBuffer_.data(), outMeta_, 0);
        rs->fetchNext(&st, outBuffer_.data());
        rs->close(&st);
    });
}

void Statement::open()
{
    close();
    auto& st = attachment_.status();
    cursor_ = guarded("open", [&] {
        return handle_->openCursor(&st, transaction_.handle(), inMeta_, inBuffer_.data(), outMeta_, 0);
    });
}

bool Statement::fetch()
{
    if (!cursor_)
        return false;
    auto& st = attachment_.status();
    const bool ok = guarded("fetch", [&] {
        return cursor_->fetchNext(&st, outBuffer_.data()) == Firebird::IStatus::RESULT_OK;
    });
    if (!ok)
        close();
    return ok;
}

void Statement::close()
{
    if (!cursor_)
        return;
    try {
        cursor_->close(&attachment_.status());
    } catch (const FbException&) {
        cursor_->release();
    }
    cursor_ = nullptr;
}

bool Statement::isNull(unsigned j) const
{
    short flag;
    std::memcpy(&flag, outBuffer_.data() + out_.at(j).nullOffset, sizeof flag);
    return flag != 0;
}

std::int64_t Statement::getInt(unsigned j) const
{
    const Slot& s = out_.at(j);
    const unsigned char* p = outBuffer_.data() + s.offset;
    switch (s.type) {
    case SQL_SHORT: {
        std::int16_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case SQL_LONG: {
        std::int32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case SQL_INT64: {
        std::int64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case SQL_DOUBLE: return std::int64_t(getDouble(j));
    default: throw std::runtime_error("getInt: column " + std::to_string(j) + " is not a whole number");
    }
}

double Statement::getDouble(unsigned j) const
{
    const Slot& s = out_.at(j);
    if (s.type != SQL_DOUBLE)
        return double(getInt(j));
    double v;
    std::memcpy(&v, outBuffer_.data() + s.offset, sizeof v);
    return v;
}

std::string Statement::getText(unsigned j) const
{
    const Slot& s = out_.at(j);
    const auto* p = reinterpret_cast<const char*>(outBuffer_.data() + s.offset);
    if (s.type == SQL_VARYING) {
        unsigned short len;
        std::memcpy(&len, p, sizeof len);
        return std::string(p + 2, len);
    }
    return std::string(p, s.length);
}

void RowStore::add(const Statement& s)
{
    bytes_.insert(bytes_.end(), s.row(), s.row() + s.rowLength());
    ++count_;
}

std::size_t RowStore::fetchAll(Statement& s)
{
    std::size_t n = 0;
    while (s.fetch()) {
        add(s);
        ++n;
    }
    return n;
}

}  // namespace rawfb
