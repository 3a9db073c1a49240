#include "Terminal.h"

#include "platform/db/AtomicUnit.h"
#include "platform/db/Error.h"

#include <QDateTime>

namespace {

db::Field* field(db::Dataset* dataset, const char* name)
{
    return dataset->fieldByName(QString::fromLatin1(name));
}

}  // namespace

Terminal::Terminal(const QString& databaseName) : dm_(std::make_unique<Tdm>())
{
    dm_->IBDatabase1->setDatabaseName(databaseName);
    dm_->IBDatabase1->connect();
    dm_->IBTransaction1->start();
    dm_->T_Ayarlar->open();
}

Terminal::~Terminal() = default;

void Terminal::openPanel()
{
    dm_->Q_Masa->setSql(QStringLiteral("select * from masa order by masa_id  "));
    dm_->Q_Masa->open();
    dm_->Q_Adisyon->open();
}

bool Terminal::selectTable(int masaId)
{
    return dm_->Q_Masa->locate(QStringLiteral("MASA_ID"), masaId);
}

void Terminal::openBill(int masaId, std::initializer_list<int> products)
{
    if (!selectTable(masaId))
        throw db::Error(QStringLiteral("no table %1 on this terminal").arg(masaId));
    db::AtomicUnit unit(*dm_->IBTransaction1, {dm_->Q_Masa, dm_->Q_Adisyon, dm_->Q_AH});
    dm_->Q_Adisyon->insert();
    dm_->Q_Adisyon->post();
    for (int product : products) {
        dm_->Q_AH->insert();
        field(dm_->Q_AH, "STOK_ID")->setAsInteger(product);
        field(dm_->Q_AH, "GC_ID")->setAsInteger(2);
        dm_->Q_AH->post();
    }
    dm_->Q_Masa->edit();
    field(dm_->Q_Masa, "ACIK_KAPALI")->setAsInteger(2);
    dm_->Q_Masa->post();
    unit.commit();
}

void Terminal::addLine(int product)
{
    dm_->Q_AH->insert();
    field(dm_->Q_AH, "STOK_ID")->setAsInteger(product);
    field(dm_->Q_AH, "GC_ID")->setAsInteger(2);
    dm_->Q_AH->post();
}

void Terminal::commitOrder()
{
    dm_->IBTransaction1->commitRetaining();
}

void Terminal::collect(int kind, const std::function<void()>& halfWay)
{
    db::Dataset* bill = dm_->Q_Adisyon;
    db::Dataset* sums = dm_->qrySum;
    {
        db::AtomicUnit unit(*dm_->IBTransaction1, {dm_->Q_Masa, dm_->Q_Adisyon});
        bill->edit();
        field(bill, "TAHSILAT_ID")->setAsString(QString::number(kind));
        field(bill, "ACIK_KAPALI")->setAsInteger(1);
        field(bill, "TUTAR")->setValue(field(sums, "T_TUTAR")->value());
        field(bill, "ISKONTO")->setValue(field(sums, "T_ISK")->value());
        field(bill, "ARA_TUTAR")->setValue(field(sums, "T_ARA_TUTAR")->value());
        if (kind == 1) {
            field(bill, "K_TUTAR")->setValue(field(sums, "T_ARA_TUTAR")->value());
            field(bill, "B_TUTAR")->setAsString(QStringLiteral("0"));
        } else {
            field(bill, "B_TUTAR")->setValue(field(sums, "T_ARA_TUTAR")->value());
            field(bill, "K_TUTAR")->setAsString(QStringLiteral("0"));
        }
        field(bill, "KAPANIS_TARIHI")->setAsDateTime(QDateTime::currentDateTime());
        bill->post();
        if (halfWay)
            halfWay();
        dm_->Q_Masa->edit();
        field(dm_->Q_Masa, "ACIK_KAPALI")->setAsInteger(1);
        dm_->Q_Masa->post();
        unit.commit();
    }
    bill->close();
    bill->open();
}

void Terminal::moveBill(int target, const std::function<void()>& afterTableFreed,
                        const std::function<void()>& afterBillMoved)
{
    db::AtomicUnit unit(*dm_->IBTransaction1, {dm_->Q_Masa, dm_->Q_Adisyon});
    dm_->Q_Masa->edit();
    field(dm_->Q_Masa, "ACIK_KAPALI")->setAsInteger(1);
    dm_->Q_Masa->post();
    if (afterTableFreed)
        afterTableFreed();
    dm_->Q_Adisyon->edit();
    field(dm_->Q_Adisyon, "MASA_ID")->setAsInteger(target);
    dm_->Q_Adisyon->post();
    if (afterBillMoved)
        afterBillMoved();
    dm_->Q_Masa->locate(QStringLiteral("MASA_ID"), target);
    dm_->Q_Masa->edit();
    field(dm_->Q_Masa, "ACIK_KAPALI")->setAsInteger(2);
    dm_->Q_Masa->post();
    unit.commit();
}

void Terminal::deleteTable(int masaId)
{
    if (!selectTable(masaId))
        throw db::Error(QStringLiteral("no table %1 on this terminal").arg(masaId));
    db::AtomicUnit unit(*dm_->IBTransaction1, {dm_->Q_Masa});
    dm_->Q_Masa->deleteRecord();
    unit.commit();
}

int Terminal::currentTable()
{
    return int(field(dm_->Q_Masa, "MASA_ID")->asInteger());
}

int Terminal::currentTableState()
{
    return int(field(dm_->Q_Masa, "ACIK_KAPALI")->asInteger());
}

bool Terminal::hasOpenBill()
{
    return dm_->Q_Adisyon->active() && !dm_->Q_Adisyon->isEmpty()
           && field(dm_->Q_Adisyon, "ACIK_KAPALI")->asInteger() == 2;
}

int Terminal::openBillId()
{
    return int(field(dm_->Q_Adisyon, "ADISYON_ID")->asInteger());
}

double Terminal::amountDue()
{
    return field(dm_->qrySum, "T_ARA_TUTAR")->asFloat();
}
