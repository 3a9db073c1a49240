#include "Transaction.h"

#include "Connection.h"
#include "FbClient.h"

#include <ibase.h>

namespace db {

Transaction::Transaction(Connection& connection) : connection_(connection)
{
    connection_.registerTransaction(this);
}

Transaction::~Transaction()
{
    abandon();
    connection_.unregisterTransaction(this);
}

void Transaction::requireActive() const
{
    if (!handle_)
        throw Error(QStringLiteral("İşlem (transaction) başlatılmamış."));
}

void Transaction::start()
{
    if (active())
        return;
    if (!connection_.connected())
        throw Error(QStringLiteral("Veritabanı bağlantısı yok."));
    handle_ = fb::call([&](fb::Status& status) {
        Firebird::IXpbBuilder* tpb = fb::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0);
        struct Disposer {
            Firebird::IXpbBuilder* b;
            ~Disposer() { b->dispose(); }
        } disposer{tpb};
        bool readOnly = false;
        for (const QString& raw : params_) {
            const QString p = raw.trimmed().toLower();
            if (p == QLatin1String("read_committed"))
                tpb->insertTag(&status, isc_tpb_read_committed);
            else if (p == QLatin1String("rec_version"))
                tpb->insertTag(&status, isc_tpb_rec_version);
            else if (p == QLatin1String("no_rec_version"))
                tpb->insertTag(&status, isc_tpb_no_rec_version);
            else if (p == QLatin1String("nowait"))
                tpb->insertTag(&status, isc_tpb_nowait);
            else if (p == QLatin1String("wait"))
                tpb->insertTag(&status, isc_tpb_wait);
            else if (p == QLatin1String("concurrency"))
                tpb->insertTag(&status, isc_tpb_concurrency);
            else if (p == QLatin1String("consistency"))
                tpb->insertTag(&status, isc_tpb_consistency);
            else if (p == QLatin1String("read"))
                readOnly = true;
        }
        tpb->insertTag(&status, readOnly ? isc_tpb_read : isc_tpb_write);
        return connection_.attachment()->startTransaction(&status, tpb->getBufferLength(&status),
                                                          tpb->getBuffer(&status));
    });
    savepointsInUse_ = 0;
    ++generation_;
}

void Transaction::commitRetaining()
{
    requireActive();
    fb::call([&](fb::Status& status) { handle_->commitRetaining(&status); });
    // A commit ends every savepoint of the transaction.
    savepointsInUse_ = 0;
    ++generation_;
}

void Transaction::rollbackRetaining()
{
    requireActive();
    fb::call([&](fb::Status& status) { handle_->rollbackRetaining(&status); });
    savepointsInUse_ = 0;
    ++generation_;
}

void Transaction::commit()
{
    requireActive();
    fb::call([&](fb::Status& status) { handle_->commit(&status); });
    handle_ = nullptr;
    savepointsInUse_ = 0;
    ++generation_;
}

void Transaction::rollback()
{
    requireActive();
    fb::call([&](fb::Status& status) { handle_->rollback(&status); });
    handle_ = nullptr;
    savepointsInUse_ = 0;
    ++generation_;
}

void Transaction::executeImmediate(const QString& sql)
{
    requireActive();
    fb::call([&](fb::Status& status) {
        connection_.attachment()->execute(&status, handle_, 0, sql.toLatin1().constData(), 3, nullptr, nullptr,
                                          nullptr, nullptr);
    });
}

void Transaction::savepoint(const QString& name)
{
    executeImmediate(QStringLiteral("SAVEPOINT ") + name);
    ++savepointsInUse_;
}

void Transaction::releaseSavepoint(const QString& name)
{
    executeImmediate(QStringLiteral("RELEASE SAVEPOINT ") + name);
    if (savepointsInUse_ > 0)
        --savepointsInUse_;
}

void Transaction::rollbackToSavepoint(const QString& name)
{
    // The savepoint itself stays; the caller releases it.
    executeImmediate(QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
}

void Transaction::abandon() noexcept
{
    if (!handle_)
        return;
    fb::Status status;
    try {
        handle_->rollback(&status);
    } catch (const Firebird::FbException&) {
        try {
            handle_->release();
        } catch (...) {
        }
    }
    handle_ = nullptr;
    savepointsInUse_ = 0;
}

}  // namespace db
