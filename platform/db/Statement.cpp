#include "Statement.h"

#include "Connection.h"
#include "Cp1254.h"
#include "FbClient.h"
#include "PreparedStatementCache.h"
#include "Transaction.h"
#include "Values.h"

#include <ibase.h>

#include <QDateTime>
#include <cmath>
#include <cstring>
#include <optional>

namespace db {

namespace {

constexpr unsigned kCharSetOctets = 1;

FieldType typeOf(unsigned sqlType, int scale, unsigned charSet)
{
    switch (sqlType) {
    case SQL_SHORT: return scale < 0 ? FieldType::Scaled : FieldType::SmallInt;
    case SQL_LONG: return scale < 0 ? FieldType::Scaled : FieldType::Integer;
    case SQL_INT64: return scale < 0 ? FieldType::Scaled : FieldType::BigInt;
    case SQL_DOUBLE:
    case SQL_FLOAT:
    case SQL_D_FLOAT: return FieldType::Double;
    case SQL_TEXT:
    case SQL_VARYING: return charSet == kCharSetOctets ? FieldType::Bytes : FieldType::Text;
    case SQL_TIMESTAMP: return FieldType::Timestamp;
    case SQL_TYPE_DATE: return FieldType::Date;
    case SQL_TYPE_TIME: return FieldType::Time;
    case SQL_BOOLEAN: return FieldType::Boolean;
    default: return FieldType::Unknown;
    }
}

std::vector<ColumnInfo> describe(Firebird::IMessageMetadata* meta, fb::Status& status)
{
    std::vector<ColumnInfo> out;
    const unsigned count = meta->getCount(&status);
    out.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        ColumnInfo c;
        c.name = QString::fromLatin1(meta->getAlias(&status, i));
        c.relation = QString::fromLatin1(meta->getRelation(&status, i));
        c.column = QString::fromLatin1(meta->getField(&status, i));
        c.sqlType = meta->getType(&status, i);
        c.scale = meta->getScale(&status, i);
        c.charSet = meta->getCharSet(&status, i);
        c.length = int(meta->getLength(&status, i));
        c.nullable = meta->isNullable(&status, i);
        c.offset = meta->getOffset(&status, i);
        c.nullOffset = meta->getNullOffset(&status, i);
        c.type = typeOf(c.sqlType, c.scale, c.charSet);
        c.fixedText = c.sqlType == SQL_TEXT;
        out.push_back(c);
    }
    return out;
}

// Firebird counts days from 17 November 1858 (the modified Julian day) and
// time in ten-thousandths of a second.
constexpr qint64 kJulianDayOfFirebirdDayZero = 2400001;

QDate decodeDate(ISC_DATE date)
{
    return QDate::fromJulianDay(qint64(date) + kJulianDayOfFirebirdDayZero);
}

QTime decodeTime(ISC_TIME time)
{
    return QTime::fromMSecsSinceStartOfDay(int(time / 10));
}

// The local time's distance from UTC on a day. Working it out costs a call
// of mktime; a year of bills has only a few hundred days, so it is kept.
int localOffsetOn(const QDate& date)
{
    static QHash<qint64, int> offsets;
    const qint64 day = date.toJulianDay();
    auto it = offsets.constFind(day);
    if (it != offsets.constEnd())
        return *it;
    const int offset = QDateTime(date, QTime(12, 0)).offsetFromUtc();
    offsets.insert(day, offset);
    return offset;
}

QDateTime decodeTimestamp(const ISC_TIMESTAMP& ts)
{
    // The stored fields are local time; a fixed offset gives the same fields
    // and the same moment without asking the time zone for every row.
    const QDate date = decodeDate(ts.timestamp_date);
    return QDateTime(date, decodeTime(ts.timestamp_time), Qt::OffsetFromUTC, localOffsetOn(date));
}

ISC_DATE encodeDate(const QDate& date)
{
    return ISC_DATE(date.toJulianDay() - kJulianDayOfFirebirdDayZero);
}

ISC_TIME encodeTime(const QTime& time)
{
    return ISC_TIME(time.msecsSinceStartOfDay()) * 10;
}

template <class T>
T readAs(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void writeAs(unsigned char* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

QVariant readValue(const ColumnInfo& c, const unsigned char* buffer)
{
    if (readAs<short>(buffer + c.nullOffset))
        return {};
    const unsigned char* p = buffer + c.offset;
    auto scaled = [&](qint64 raw) { return QVariant(double(raw) / std::pow(10.0, -c.scale)); };
    switch (c.sqlType) {
    case SQL_SHORT: return c.scale < 0 ? scaled(readAs<qint16>(p)) : QVariant::fromValue<qint64>(readAs<qint16>(p));
    case SQL_LONG: return c.scale < 0 ? scaled(readAs<qint32>(p)) : QVariant::fromValue<qint64>(readAs<qint32>(p));
    case SQL_INT64: return c.scale < 0 ? scaled(readAs<qint64>(p)) : QVariant::fromValue<qint64>(readAs<qint64>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return readAs<double>(p);
    case SQL_FLOAT: return double(readAs<float>(p));
    case SQL_VARYING: {
        const auto len = readAs<unsigned short>(p);
        const QByteArray bytes(reinterpret_cast<const char*>(p + 2), len);
        return c.charSet == kCharSetOctets ? QVariant(bytes) : QVariant(cp1254::decode(bytes));
    }
    case SQL_TEXT: {
        QByteArray bytes(reinterpret_cast<const char*>(p), int(c.length));
        if (c.charSet == kCharSetOctets)
            return bytes;
        // CHAR(n) comes blank-padded; nobody wants the blanks.
        while (!bytes.isEmpty() && bytes.endsWith(' '))
            bytes.chop(1);
        return cp1254::decode(bytes);
    }
    case SQL_TIMESTAMP: return decodeTimestamp(readAs<ISC_TIMESTAMP>(p));
    case SQL_TYPE_DATE: return decodeDate(readAs<ISC_DATE>(p));
    case SQL_TYPE_TIME: return decodeTime(readAs<ISC_TIME>(p));
    case SQL_BOOLEAN: return bool(*p);
    default: return {};
    }
}

void writeValue(const ColumnInfo& c, const QVariant& value, unsigned char* buffer)
{
    const bool isNull = !value.isValid() || value.isNull();
    writeAs<short>(buffer + c.nullOffset, isNull ? -1 : 0);
    if (isNull)
        return;
    unsigned char* p = buffer + c.offset;
    auto scaledRaw = [&] { return std::llround(value.toDouble() * std::pow(10.0, -c.scale)); };
    switch (c.sqlType) {
    case SQL_SHORT: writeAs<qint16>(p, qint16(c.scale < 0 ? scaledRaw() : value.toLongLong())); break;
    case SQL_LONG: writeAs<qint32>(p, qint32(c.scale < 0 ? scaledRaw() : value.toLongLong())); break;
    case SQL_INT64: writeAs<qint64>(p, c.scale < 0 ? qint64(scaledRaw()) : value.toLongLong()); break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: writeAs<double>(p, value.toDouble()); break;
    case SQL_FLOAT: writeAs<float>(p, float(value.toDouble())); break;
    case SQL_VARYING:
    case SQL_TEXT: {
        QByteArray bytes = c.charSet == kCharSetOctets ? value.toByteArray()
                                                       : cp1254::encode(value.toString()).value_or(QByteArray());
        const int room = int(c.length);
        if (bytes.size() > room)
            bytes.truncate(room);
        if (c.sqlType == SQL_VARYING) {
            writeAs<unsigned short>(p, static_cast<unsigned short>(bytes.size()));
            std::memcpy(p + 2, bytes.constData(), size_t(bytes.size()));
        } else {
            std::memset(p, ' ', size_t(room));
            std::memcpy(p, bytes.constData(), size_t(bytes.size()));
        }
        break;
    }
    case SQL_TIMESTAMP: {
        const QDateTime dt = value.toDateTime();
        ISC_TIMESTAMP ts{encodeDate(dt.date()), encodeTime(dt.time())};
        writeAs<ISC_TIMESTAMP>(p, ts);
        break;
    }
    case SQL_TYPE_DATE: writeAs<ISC_DATE>(p, encodeDate(value.toDate())); break;
    case SQL_TYPE_TIME: writeAs<ISC_TIME>(p, encodeTime(value.toTime())); break;
    case SQL_BOOLEAN: *p = value.toBool() ? 1 : 0; break;
    default: throw Error(QStringLiteral("Desteklenmeyen parametre türü: %1").arg(c.sqlType));
    }
}

}  // namespace

Statement::Statement(Transaction& transaction)
    : transaction_(transaction), connection_(transaction.connection())
{
    connection_.registerStatement(this);
}

Statement::~Statement()
{
    releaseHandle();
    connection_.unregisterStatement(this);
}

void Statement::releaseHandle() noexcept
{
    closeCursor();
    if (!handle_)
        return;
    PreparedHandle prepared;
    prepared.statement = handle_;
    prepared.inMeta = inMeta_;
    prepared.outMeta = outMeta_;
    prepared.inColumns = std::move(inColumns_);
    prepared.outColumns = std::move(outColumns_);
    prepared.type = statementType_;
    handle_ = nullptr;
    inMeta_ = nullptr;
    outMeta_ = nullptr;
    inColumns_.clear();
    outColumns_.clear();
    if (connection_.connected())
        connection_.preparedStatements().keep(parsed_.text, std::move(prepared));
    else
        prepared.free();
}

void Statement::setSql(const QString& sql)
{
    if (sql == sql_)
        return;
    releaseHandle();
    sql_ = sql;
    parsed_ = parseNamedParameters(sql);
    inColumns_.clear();
    outColumns_.clear();
}

void Statement::prepare()
{
    if (handle_)
        return;
    if (!connection_.connected())
        throw Error(QStringLiteral("Veritabanı bağlantısı yok."));
    if (!transaction_.active())
        throw Error(QStringLiteral("İşlem (transaction) başlatılmamış."));
    if (std::optional<PreparedHandle> cached = connection_.preparedStatements().take(parsed_.text)) {
        handle_ = cached->statement;
        inMeta_ = cached->inMeta;
        outMeta_ = cached->outMeta;
        inColumns_ = std::move(cached->inColumns);
        outColumns_ = std::move(cached->outColumns);
        statementType_ = cached->type;
    } else {
        const auto text = cp1254::encode(parsed_.text);
        if (!text)
            throw Error(QStringLiteral("SQL metninde Türkçe kod sayfasında (1254) olmayan karakter var: '%1'")
                            .arg(cp1254::firstUnencodable(parsed_.text)));
        fb::call([&](fb::Status& status) {
            handle_ = connection_.attachment()->prepare(&status, transaction_.handle(), 0, text->constData(), 3,
                                                        Firebird::IStatement::PREPARE_PREFETCH_METADATA);
            statementType_ = handle_->getType(&status);
            inMeta_ = handle_->getInputMetadata(&status);
            outMeta_ = handle_->getOutputMetadata(&status);
            inColumns_ = describe(inMeta_, status);
            outColumns_ = describe(outMeta_, status);
        });
    }
    fb::call([&](fb::Status& status) {
        inBuffer_.assign(inMeta_->getMessageLength(&status) / sizeof(double) + 1, 0.0);
        outBuffer_.assign(outMeta_->getMessageLength(&status) / sizeof(double) + 1, 0.0);
    });
}

void Statement::ensurePrepared()
{
    prepare();
}

QStringList Statement::paramNames()
{
    return parsed_.names();
}

bool Statement::hasParam(const QString& name)
{
    const QString key = name.toUpper();
    return std::find(parsed_.positions.begin(), parsed_.positions.end(), key) != parsed_.positions.end();
}

void Statement::setParam(const QString& name, const QVariant& value)
{
    const QString key = name.toUpper();
    if (!hasParam(key))
        throw Error(QStringLiteral("%1 adında parametre yok.").arg(name));
    // Convert at once so a bad value is reported where it was given.
    ensurePrepared();
    for (size_t i = 0; i < parsed_.positions.size(); ++i) {
        if (parsed_.positions[i] == key) {
            params_.insert(key, normalizeValue(value, inColumns_[i], key));
            break;
        }
    }
}

QVariant Statement::param(const QString& name) const
{
    return params_.value(name.toUpper());
}

void Statement::clearParams()
{
    params_.clear();
}

const std::vector<ColumnInfo>& Statement::columns()
{
    ensurePrepared();
    return outColumns_;
}

bool Statement::isSelect()
{
    ensurePrepared();
    return statementType_ == isc_info_sql_stmt_select || statementType_ == isc_info_sql_stmt_select_for_upd;
}

void Statement::fillInputBuffer()
{
    auto* buffer = reinterpret_cast<unsigned char*>(inBuffer_.data());
    for (size_t i = 0; i < inColumns_.size(); ++i) {
        const QString& name = parsed_.positions[i];
        // The value was normalised for the first occurrence; each position may
        // have its own type, so normalise again for this one.
        writeValue(inColumns_[i], normalizeValue(params_.value(name), inColumns_[i], name), buffer);
    }
}

void Statement::execute()
{
    ensurePrepared();
    if (isSelect()) {
        // A select run for its effect: read nothing, just make sure it runs.
        openCursor();
        closeCursor();
        return;
    }
    fillInputBuffer();
    fb::call([&](fb::Status& status) {
        handle_->execute(&status, transaction_.handle(), inMeta_, inBuffer_.data(), outMeta_, outBuffer_.data());
        rowsAffected_ = handle_->getAffectedRecords(&status);
    });
    singleton_ = outColumns_.empty() ? Row() : readRow(reinterpret_cast<const unsigned char*>(outBuffer_.data()));
}

void Statement::openCursor()
{
    ensurePrepared();
    closeCursor();
    fillInputBuffer();
    cursor_ = fb::call([&](fb::Status& status) {
        return handle_->openCursor(&status, transaction_.handle(), inMeta_, inBuffer_.data(), outMeta_, 0);
    });
}

bool Statement::fetch(Row& row)
{
    if (!cursor_)
        return false;
    const int result = fb::call([&](fb::Status& status) { return cursor_->fetchNext(&status, outBuffer_.data()); });
    if (result != Firebird::IStatus::RESULT_OK) {
        closeCursor();
        return false;
    }
    row = readRow(reinterpret_cast<const unsigned char*>(outBuffer_.data()));
    return true;
}

void Statement::closeCursor() noexcept
{
    if (!cursor_)
        return;
    fb::Status status;
    try {
        cursor_->close(&status);
    } catch (const Firebird::FbException&) {
        cursor_->release();
    }
    cursor_ = nullptr;
}

std::vector<Row> Statement::fetchAll()
{
    std::vector<Row> rows;
    openCursor();
    Row row;
    while (fetch(row))
        rows.push_back(row);
    return rows;
}

Row Statement::readRow(const unsigned char* buffer) const
{
    Row row;
    row.reserve(qsizetype(outColumns_.size()));
    for (const ColumnInfo& c : outColumns_)
        row.append(readValue(c, buffer));
    return row;
}

}  // namespace db
