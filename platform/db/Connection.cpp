#include "Connection.h"

#include "FbClient.h"
#include "Statement.h"
#include "Transaction.h"

#include <ibase.h>

namespace db {

Connection::Connection() = default;

Connection::~Connection()
{
    disconnect();
}

QString Connection::param(const QString& key) const
{
    for (const QString& p : params_) {
        const qsizetype eq = p.indexOf(u'=');
        if (eq > 0 && p.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return p.mid(eq + 1);
    }
    return {};
}

void Connection::connect()
{
    if (connected())
        return;
    if (databaseName_.trimmed().isEmpty())
        throw Error(QStringLiteral("Veritabanı adı boş."));
    attachment_ = fb::call([&](fb::Status& status) {
        Firebird::IXpbBuilder* dpb = fb::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
        struct Disposer {
            Firebird::IXpbBuilder* b;
            ~Disposer() { b->dispose(); }
        } disposer{dpb};
        const QString user = param(QStringLiteral("user_name"));
        const QString password = param(QStringLiteral("password"));
        if (!user.isEmpty())
            dpb->insertString(&status, isc_dpb_user_name, user.toUtf8().constData());
        if (!password.isEmpty())
            dpb->insertString(&status, isc_dpb_password, password.toUtf8().constData());
        dpb->insertString(&status, isc_dpb_lc_ctype, "WIN1254");
        dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
        Firebird::IProvider* provider = fb::master()->getDispatcher();
        struct Releaser {
            Firebird::IProvider* p;
            ~Releaser() { p->release(); }
        } releaser{provider};
        return provider->attachDatabase(&status, databaseName_.toLocal8Bit().constData(),
                                        dpb->getBufferLength(&status), dpb->getBuffer(&status));
    });
}

void Connection::disconnect() noexcept
{
    if (!attachment_)
        return;
    for (Statement* s : statements_)
        s->releaseHandle();
    preparedStatements_.clear();
    for (Transaction* t : transactions_)
        t->abandon();
    fb::Status status;
    try {
        attachment_->detach(&status);
    } catch (const Firebird::FbException&) {
        // A lost server cannot be detached from politely; drop the handle.
        try {
            attachment_->release();
        } catch (...) {
        }
    }
    attachment_ = nullptr;
}

}  // namespace db
